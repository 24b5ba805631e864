#include "ui/text.h"

namespace veskora {

Text MakeText(std::size_t length) {
    Text text;
    text.bytes.reset(new char[length + 1]());
    text.length = length;
    return text;
}

}  // namespace veskora

#include <string>

#include "calc/calc.h"
#include "calc/full_width.h"

namespace veskora {

std::string FoldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto first = static_cast<unsigned char>(text[i]);
        // 1. Single bytes, control bytes included, stay.
        if (first < 0x80) {
            folded.push_back(text[i]);
            continue;
        }
        // 2. A first byte with nothing after it is dropped.
        if (i + 1 == text.size()) break;
        // 3. A pair folds to one byte or stays as two.
        unsigned char replacement =
            detail::FoldedPair(first, static_cast<unsigned char>(text[i + 1]));
        if (replacement != 0) {
            folded.push_back(static_cast<char>(replacement));
        } else {
            folded.append(text.substr(i, 2));
        }
        ++i;
    }
    return folded;
}

}  // namespace veskora

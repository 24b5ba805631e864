#include "ui/number_entry.h"

#include "calc/calc.h"

namespace veskora {

bool IsAcceptedNumberCharacter(char16_t unit) noexcept {
    if (unit < 32) return true;
    return (unit >= u'0' && unit <= u'9') || unit == u'-' || unit == u'.';
}

std::string NormaliseNumberText(std::string_view text) {
    std::string tidy = DoubleToText(TextToDouble(text));
    // A box that reads as 0 is shown empty, so that a click asks for input.
    if (tidy == "0") tidy.clear();
    return tidy;
}

}  // namespace veskora

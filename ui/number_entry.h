// The rules of the two number boxes: which typed characters they take, and
// how they tidy their number when the focus leaves them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veskora {

// A typed UTF-16 unit: control codes (below 32) pass as usual; of the rest
// only the digits, '-' and '.' are kept. Every other unit, the halves of a
// surrogate pair included, is dropped.
bool IsAcceptedNumberCharacter(char16_t unit) noexcept;

// The text a number box shows after it has lost the focus: its number read
// and written again, with a number that reads as 0 shown as an empty box.
// Texts are GBK bytes.
std::string NormaliseNumberText(std::string_view text);

// Where the caret goes when normalisation replaced the text: where the old
// selection started, but not past the end of the new text.
constexpr std::size_t CaretAfterReplacement(std::size_t selectionStart,
                                            std::size_t newLength) noexcept {
    return selectionStart < newLength ? selectionStart : newLength;
}

}  // namespace veskora

#include "ui/number_box.h"

#include <string>

#include "ui/edit_box_text.h"
#include "ui/number_entry.h"

namespace veskora {
namespace {

// The tidy text is ASCII, so it equals the box's text unit for unit or not
// at all.
bool SameText(std::wstring_view box, const std::string& tidy) {
    if (box.size() != tidy.size()) return false;
    for (std::size_t i = 0; i < box.size(); ++i) {
        if (box[i] != static_cast<wchar_t>(static_cast<unsigned char>(tidy[i]))) return false;
    }
    return true;
}

}  // namespace

bool NumberBoxTakes(WPARAM unit) {
    return unit <= 0xFFFF && IsAcceptedNumberCharacter(static_cast<char16_t>(unit));
}

void NormaliseNumberBox(ControlState& state) {
    std::string tidy;
    {
        const BoxText units(state.window);
        Text text = ToGbk(units.View());
        tidy = NormaliseNumberText(View(text));
        Release(text);
        if (SameText(units.View(), tidy)) return;
    }
    DWORD selectionStart = 0;
    SendMessageW(state.window, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), 0);
    const std::size_t length = WriteEditBoxText(state.window, tidy);
    const auto caret = static_cast<WPARAM>(CaretAfterReplacement(selectionStart, length));
    SendMessageW(state.window, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    SendMessageW(state.window, EM_SCROLLCARET, 0, 0);
}

}  // namespace veskora

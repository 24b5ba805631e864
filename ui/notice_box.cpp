#include "ui/notice_box.h"

#include "ui/notice_rules.h"
#include "ui/wide_text.h"

namespace veskora {

std::int32_t ShowNotice(const char16_t* message, std::uint32_t buttons, const char16_t* caption) {
    const wchar_t* text = message != nullptr ? Wide(message) : L"";
    const wchar_t* title = Wide(caption != nullptr ? caption : kDefaultNoticeCaption);
    HWND active = GetActiveWindow();
    const int answer = MessageBoxW(nullptr, text, title, NoticeStyle(buttons));
    // The box goes while the windows it disabled are still disabled, so the
    // system activates none of them; the window the user was in gets the
    // activation back, and with it its focus.
    if (active != nullptr && IsWindow(active) && GetActiveWindow() != active) {
        SetForegroundWindow(active);
    }
    return NoticeResult(answer);
}

}  // namespace veskora

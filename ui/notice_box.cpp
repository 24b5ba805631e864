#include "ui/notice_box.h"

#include "ui/notice_rules.h"
#include "ui/wide_text.h"

namespace veskora {

std::int32_t ShowNotice(const char16_t* message, std::uint32_t buttons, const char16_t* caption) {
    const wchar_t* text = message != nullptr ? Wide(message) : L"";
    const wchar_t* title = Wide(caption != nullptr ? caption : kDefaultNoticeCaption);
    const int answer = MessageBoxW(nullptr, text, title, NoticeStyle(buttons));
    return NoticeResult(answer);
}

}  // namespace veskora

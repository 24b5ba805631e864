// How the notice box turns its arguments into a system message box and the
// system's answer into its result.
#pragma once

#include <cstdint>

namespace veskora {

inline constexpr const char16_t* kDefaultNoticeCaption = u"信息：";

inline constexpr std::uint32_t kSystemModal = 0x1000;
inline constexpr std::uint32_t kTaskModal = 0x2000;

// The message-box style: the caller's flags, task-modal unless system-modal.
constexpr std::uint32_t NoticeStyle(std::uint32_t buttons) noexcept {
    return (buttons & kSystemModal) != 0 ? buttons : buttons | kTaskModal;
}

// The result for the system's answer code: OK 0, Cancel 1, Abort 2, Retry 3,
// Ignore 4, Yes 5, No 6, anything else 0.
std::int32_t NoticeResult(int answer) noexcept;

}  // namespace veskora

// The notice box: a system message box that tells the user something and
// waits for the answer.
#pragma once

#include <cstdint>

namespace veskora {

// Shows message (none: an empty message) under caption (none: "信息：") with
// the system message-box flags in buttons, task-modal unless system-modal,
// owned by no window. Returns the index of the button that closed it.
std::int32_t ShowNotice(const char16_t* message, std::uint32_t buttons, const char16_t* caption);

}  // namespace veskora

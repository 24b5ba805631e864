// What the main window does with a key press before its control sees it.
#pragma once

#include <cstddef>

namespace veskora {

enum class KeyAction {
    PassOn,          // to the focused control as usual
    PassOnSilently,  // to the focused control, but without a typed character
    FocusNext,
    FocusPrevious,
    CloseWindow,
    Swallow,  // nothing happens
};

// Virtual-key codes the window looks at.
inline constexpr unsigned kKeyTab = 0x09;
inline constexpr unsigned kKeyEnter = 0x0D;
inline constexpr unsigned kKeyEscape = 0x1B;
inline constexpr unsigned kKeyF1 = 0x70;

struct Modifiers {
    bool shift;
    bool ctrl;
    bool alt;
};

// A key pressed down, with the modifiers held at the time.
KeyAction ClassifyKey(unsigned virtualKey, Modifiers modifiers) noexcept;

inline constexpr std::size_t kNotInCycle = static_cast<std::size_t>(-1);

// The position that the focus moves to in a cycle of count entries, from
// current (kNotInCycle when the focus is elsewhere); kNotInCycle when the
// cycle is empty.
std::size_t NextInCycle(std::size_t count, std::size_t current, bool forward) noexcept;

}  // namespace veskora

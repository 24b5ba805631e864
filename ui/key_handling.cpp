#include "ui/key_handling.h"

namespace veskora {

KeyAction ClassifyKey(unsigned virtualKey, Modifiers modifiers) noexcept {
    const bool plain = !modifiers.shift && !modifiers.ctrl && !modifiers.alt;
    if (virtualKey == kKeyTab && !modifiers.ctrl && !modifiers.alt) {
        return modifiers.shift ? KeyAction::FocusPrevious : KeyAction::FocusNext;
    }
    if (!plain) return KeyAction::PassOn;
    switch (virtualKey) {
        case kKeyEscape:
            return KeyAction::CloseWindow;
        case kKeyEnter:
            // The control gets the key but no carriage return to beep at.
            return KeyAction::PassOnSilently;
        case kKeyF1:
            return KeyAction::Swallow;
        default:
            return KeyAction::PassOn;
    }
}

std::size_t NextInCycle(std::size_t count, std::size_t current, bool forward) noexcept {
    if (count == 0) return kNotInCycle;
    if (current >= count) return forward ? 0 : count - 1;
    if (forward) return current + 1 == count ? 0 : current + 1;
    return current == 0 ? count - 1 : current - 1;
}

}  // namespace veskora

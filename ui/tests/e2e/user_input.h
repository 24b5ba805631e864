// The keyboard and the mouse of a user, through SendInput: whatever window
// is in the foreground receives them, exactly as real input.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace veskora::e2e {

// Presses and releases a key while the modifiers (VK_SHIFT, VK_CONTROL,
// VK_MENU) are held.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Types each character with the key that makes it; characters without a key
// of their own (such as Chinese ones) arrive as from an input method.
void TypeText(std::wstring_view text);

// Moves the mouse pointer and waits until it is there.
bool MoveMouse(POINT screen);
void Click(POINT screen);
void DoubleClick(POINT screen);
// Whether a click there now would make a double click with the last one;
// Click waits until it would not.
bool WouldJoinLastClick(POINT screen);
// Presses the left button at `from`, moves to `to` in steps, releases.
void Drag(POINT from, POINT to);

// Puts text on the clipboard, for Ctrl+V.
bool PutOnClipboard(std::wstring_view text);

}  // namespace veskora::e2e

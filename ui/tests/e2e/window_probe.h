// Reading another process's windows as a user sees them: their texts,
// places, styles, the focus and the caret, and the system message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace veskora::e2e {

std::wstring ClassOf(HWND window);
// The text the window shows, asked of the window itself (WM_GETTEXT), so
// that an edit box answers with its current content.
std::wstring TextOf(HWND window);
LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);
DWORD ThreadOf(HWND window);

// Whether the window's thread answers a message within the time given.
bool Responds(HWND window, DWORD timeoutMs);

struct Selection {
    int start;
    int end;
    bool operator==(const Selection&) const = default;
};
Selection SelectionOf(HWND edit);

// Which window of the thread has the keyboard focus, and which is active.
HWND FocusOf(DWORD thread);
HWND ActiveOf(DWORD thread);
// The window whose menu is open, if any.
HWND MenuOwnerOf(DWORD thread);

// A child's outer rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
POINT CentreOf(HWND window);

// Visible top-level windows of a process with the given class (any class
// when nullptr).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className);

// The class of the system's message boxes.
inline constexpr const wchar_t* kMessageBoxClass = L"#32770";

struct MessageBoxButton {
    HWND window;
    int id;
    std::wstring text;
};

// What a system message box shows.
struct MessageBoxView {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<MessageBoxButton> buttons;  // the visible ones
    bool hasIcon = false;
    RECT iconRect{};  // on the screen
};
MessageBoxView ReadMessageBox(HWND box);

}  // namespace veskora::e2e

// The main window: loading it from its description, its messages, and the
// keys it handles before its controls see them.
#pragma once

#include <windows.h>

#include "ui/window_description.h"

namespace veskora {

inline constexpr const wchar_t* kMainWindowClassName = L"VeskoraMainWindow";

// Creates the window and its controls, shows them and activates the window;
// nullptr when the window or any control cannot be created.
HWND LoadMainWindow(const WindowDescription& description);

enum class MessageRoute {
    Dispatch,              // translated and dispatched as usual
    DispatchUntranslated,  // dispatched without making a typed character of it
    Consumed,              // handled by the window
};

// The window's look at a message before it goes on to its control.
MessageRoute PreviewMessage(HWND mainWindow, const MSG& message);

}  // namespace veskora

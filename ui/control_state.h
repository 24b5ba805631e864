// What the window keeps for each of its controls, and for itself. The
// window's object hangs on the window (GWLP_USERDATA); each edit box's
// record hangs on the box the same way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/window_description.h"

namespace veskora {

struct ControlState {
    HWND window = nullptr;
    const ControlDescription* description = nullptr;
    std::uint32_t windowId = 0;      // of the window the control belongs to
    WNDPROC originalProc = nullptr;  // the system's procedure under a subclassed box
    int lineHeight = 0;              // one line of the control's font
    bool quiet = false;  // while the program writes the box, it reports the change itself
};

struct MainWindowState {
    HWND window = nullptr;
    const WindowDescription* description = nullptr;
    std::vector<ControlState> controls;  // in the order of creation
    HWND lastFocus = nullptr;            // given back when the window is activated again
    HFONT font = nullptr;
};

// The record of an edit box, or nullptr for any other window.
inline ControlState* EditBoxStateOf(HWND box) {
    return reinterpret_cast<ControlState*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

}  // namespace veskora

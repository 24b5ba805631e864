#include "ui/edit_box.h"

#include "ui/number_box.h"

namespace veskora {
namespace {

LRESULT CallOriginal(const ControlState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(state.originalProc, state.window, message, wParam, lParam);
}

bool IsNumberBox(const ControlState& state) {
    return state.description->inputMode == InputMode::DecimalNumber;
}

// The client area shrinks to one line, centred; what is left above and below
// belongs to the border.
LRESULT OnNcCalcSize(const ControlState& state, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallOriginal(state, WM_NCCALCSIZE, wParam, lParam);
    RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                          : *reinterpret_cast<RECT*>(lParam);
    const LONG spare = (client.bottom - client.top) - state.lineHeight;
    if (state.lineHeight > 0 && spare > 0) {
        client.top += spare / 2;
        client.bottom = client.top + state.lineHeight;
    }
    return result;
}

// The strips between the sunken edge and the line get the box's background.
LRESULT OnNcPaint(const ControlState& state, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallOriginal(state, WM_NCPAINT, wParam, lParam);
    RECT outer;
    RECT client;
    GetWindowRect(state.window, &outer);
    GetClientRect(state.window, &client);
    MapWindowPoints(state.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    const int edge = GetSystemMetrics(SM_CYEDGE);
    const RECT above{client.left, edge, client.right, client.top};
    const RECT below{client.left, client.bottom, client.right, (outer.bottom - outer.top) - edge};
    HDC dc = GetWindowDC(state.window);
    if (dc != nullptr) {
        HBRUSH background = GetSysColorBrush(COLOR_WINDOW);
        if (above.bottom > above.top) FillRect(dc, &above, background);
        if (below.bottom > below.top) FillRect(dc, &below, background);
        ReleaseDC(state.window, dc);
    }
    return result;
}

// A press on the strips lands on the border, not on the text.
LRESULT OnNcHitTest(const ControlState& state, WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = CallOriginal(state, WM_NCHITTEST, wParam, lParam);
    return hit == HTNOWHERE ? HTBORDER : hit;
}

LRESULT OnChar(const ControlState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsNumberBox(state) && !NumberBoxTakes(wParam)) return 0;  // dropped without a sound
    return CallOriginal(state, message, wParam, lParam);
}

// A number box takes an input method's result only as characters, so that it
// passes the filter like anything typed.
LRESULT OnImeComposition(const ControlState& state, WPARAM wParam, LPARAM lParam) {
    if (IsNumberBox(state) && (lParam & GCS_RESULTSTR) != 0) {
        return DefWindowProcW(state.window, WM_IME_COMPOSITION, wParam, lParam);
    }
    return CallOriginal(state, WM_IME_COMPOSITION, wParam, lParam);
}

// The tidying comes before the box's own handling, which reports the loss
// of the focus.
LRESULT OnKillFocus(ControlState& state, WPARAM wParam, LPARAM lParam) {
    if (IsNumberBox(state)) NormaliseNumberBox(state);
    return CallOriginal(state, WM_KILLFOCUS, wParam, lParam);
}

LRESULT OnNcDestroy(ControlState& state, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = state.originalProc;
    SetWindowLongPtrW(state.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(state.window, GWLP_USERDATA, 0);
    return CallWindowProcW(original, state.window, WM_NCDESTROY, wParam, lParam);
}

LRESULT CALLBACK EditBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlState* state = EditBoxStateOf(box);
    if (state == nullptr) return DefWindowProcW(box, message, wParam, lParam);
    switch (message) {
        case WM_NCCALCSIZE:
            return OnNcCalcSize(*state, wParam, lParam);
        case WM_NCPAINT:
            return OnNcPaint(*state, wParam, lParam);
        case WM_NCHITTEST:
            return OnNcHitTest(*state, wParam, lParam);
        case WM_CHAR:
            return OnChar(*state, message, wParam, lParam);
        case WM_IME_CHAR:
            return OnChar(*state, message, wParam, lParam);
        case WM_IME_COMPOSITION:
            return OnImeComposition(*state, wParam, lParam);
        case WM_KILLFOCUS:
            return OnKillFocus(*state, wParam, lParam);
        case WM_NCDESTROY:
            return OnNcDestroy(*state, wParam, lParam);
        default:
            return CallOriginal(*state, message, wParam, lParam);
    }
}

}  // namespace

void AttachEditBox(ControlState& state) {
    SetWindowLongPtrW(state.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    state.originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(state.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditBoxProc)));
    // The frame is measured again, now with the one-line client area.
    SetWindowPos(state.window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace veskora

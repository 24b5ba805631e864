#include "ui/label_control.h"

#include <iterator>

namespace veskora {
namespace {

constexpr int kFontSlot = 0;  // the label's font, in its window extra bytes

HFONT FontOf(HWND label) {
    return reinterpret_cast<HFONT>(GetWindowLongPtrW(label, kFontSlot));
}

// Fill with the face colour, then the text: black, transparent, one line,
// left-aligned and vertically centred.
LRESULT OnPaint(HWND label) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(label, &paint);
    RECT box;
    GetClientRect(label, &box);
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    // Label texts are short; the stack keeps painting free of allocation.
    wchar_t text[256];
    const int length = GetWindowTextW(label, text, static_cast<int>(std::size(text)));
    HFONT font = FontOf(label);
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, length, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (previous != nullptr) SelectObject(dc, previous);
    EndPaint(label, &paint);
    return 0;
}

LRESULT OnSetFont(HWND label, WPARAM font, LPARAM redraw) {
    SetWindowLongPtrW(label, kFontSlot, static_cast<LONG_PTR>(font));
    if (redraw) InvalidateRect(label, nullptr, TRUE);
    return 0;
}

LRESULT OnSetText(HWND label, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcW(label, WM_SETTEXT, wParam, lParam);
    InvalidateRect(label, nullptr, TRUE);
    return result;
}

// A label that is handed the focus passes it to its window, which gives it
// to a control that takes it.
LRESULT OnSetFocus(HWND label) {
    SetFocus(GetParent(label));
    return 0;
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint(label);
        case WM_ERASEBKGND:
            return 1;  // the paint fills the whole box
        case WM_SETFONT:
            return OnSetFont(label, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(FontOf(label));
        case WM_SETTEXT:
            return OnSetText(label, wParam, lParam);
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the mouse goes to the window beneath
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_SETFOCUS:
            return OnSetFocus(label);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        default:
            return DefWindowProcW(label, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterLabelClass(HINSTANCE instance) {
    WNDCLASSEXW labelClass{};
    labelClass.cbSize = sizeof(labelClass);
    labelClass.style = CS_HREDRAW | CS_VREDRAW;
    labelClass.lpfnWndProc = &LabelProc;
    labelClass.cbWndExtra = sizeof(LONG_PTR);
    labelClass.hInstance = instance;
    labelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    labelClass.lpszClassName = kLabelClassName;
    return RegisterClassExW(&labelClass) != 0;
}

}  // namespace veskora

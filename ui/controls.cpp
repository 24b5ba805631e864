#include "ui/controls.h"

#include "ui/edit_box.h"
#include "ui/label_control.h"
#include "ui/wide_text.h"

namespace veskora {
namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

WindowKind KindOf(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::EditBox:
            return {L"Edit", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            // BS_NOTIFY for the focus events.
            return {L"Button", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER | BS_NOTIFY,
                    0};
        case ControlKind::Label:
            break;
    }
    return {kLabelClassName, 0, 0};
}

int LineHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return 0;
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

bool CreateControl(const MainWindowState& window, ControlState& state, HINSTANCE instance,
                   int lineHeight) {
    const ControlDescription& control = *state.description;
    const WindowKind kind = KindOf(control);
    DWORD style = WS_CHILD | kind.style;
    if (control.tabStop) style |= WS_TABSTOP;
    if (!control.enabled) style |= WS_DISABLED;
    Placement place = control.placement;
    if (control.kind == ControlKind::EditBox) {
        place.height = EditBoxHeight(place.height, lineHeight, GetSystemMetrics(SM_CYEDGE));
    }
    state.window = CreateWindowExW(
        kind.extendedStyle, kind.className, Wide(control.text), style, place.left, place.top,
        place.width, place.height, window.window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(control.id))), instance, nullptr);
    if (state.window == nullptr) return false;
    SendMessageW(state.window, WM_SETFONT, reinterpret_cast<WPARAM>(window.font), FALSE);
    if (control.kind == ControlKind::EditBox) {
        state.lineHeight = lineHeight;
        AttachEditBox(state);
    }
    return true;
}

}  // namespace

bool CreateControls(MainWindowState& window, HINSTANCE instance) {
    const WindowDescription& description = *window.description;
    const int lineHeight = LineHeight(window.font);
    window.controls.assign(description.controls.size(), ControlState{});
    for (std::size_t n = 0; n < window.controls.size(); ++n) {
        ControlState& state = window.controls[n];
        state.description = &description.controls[CreationIndex(description, n)];
        state.windowId = description.id;
        if (!CreateControl(window, state, instance, lineHeight)) return false;
    }
    // Each one goes on top of those created before it: the first entry of
    // the list ends on top, the first created at the bottom.
    for (const ControlState& state : window.controls) {
        SetWindowPos(state.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

void ShowControls(const MainWindowState& window) {
    for (const ControlState& state : window.controls) {
        if (state.description->visible) ShowWindow(state.window, SW_SHOWNA);
    }
}

}  // namespace veskora

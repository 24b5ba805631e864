#include "ui/main_window.h"

#include <optional>

#include "app/resource.h"
#include "ui/control_state.h"
#include "ui/controls.h"
#include "ui/key_handling.h"
#include "ui/label_control.h"
#include "ui/program.h"
#include "ui/wide_text.h"

namespace veskora {
namespace {

// Passed through CreateWindowExW; the window takes the state at WM_NCCREATE
// and frees it at WM_NCDESTROY.
struct CreationRequest {
    MainWindowState* state;
    bool attached;
};

MainWindowState* StateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ControlState* FindControlState(MainWindowState& state, int childId) {
    for (ControlState& control : state.controls) {
        if (ChildId(control.description->id) == childId) return &control;
    }
    return nullptr;
}

// The event a control's notification stands for.
std::optional<std::int32_t> EventFor(ControlKind kind, WORD code) {
    if (kind == ControlKind::EditBox) {
        if (code == EN_CHANGE) return kEventContentChanged;
        if (code == EN_SETFOCUS) return kEventFocusGained;
        if (code == EN_KILLFOCUS) return kEventFocusLost;
    } else if (kind == ControlKind::Button) {
        if (code == BN_CLICKED) return kEventClicked;
        if (code == BN_SETFOCUS) return kEventFocusGained;
        if (code == BN_KILLFOCUS) return kEventFocusLost;
    }
    return std::nullopt;
}

// The tab order: the controls in the order of creation that are tab stops,
// visible and enabled at this moment.
bool InTabOrder(const ControlState& control) {
    return control.description->tabStop && IsWindowVisible(control.window) &&
           IsWindowEnabled(control.window);
}

const ControlState* NthInTabOrder(const MainWindowState& state, std::size_t n) {
    for (const ControlState& control : state.controls) {
        if (!InTabOrder(control)) continue;
        if (n == 0) return &control;
        --n;
    }
    return nullptr;
}

void MoveFocus(const MainWindowState& state, bool forward) {
    HWND focus = GetFocus();
    std::size_t count = 0;
    std::size_t current = kNotInCycle;
    for (const ControlState& control : state.controls) {
        if (!InTabOrder(control)) continue;
        if (control.window == focus) current = count;
        ++count;
    }
    const ControlState* target = NthInTabOrder(state, NextInCycle(count, current, forward));
    if (target == nullptr) return;
    SetFocus(target->window);
    // As in any dialog, a box entered by Tab has its whole text selected.
    if (target->description->kind == ControlKind::EditBox) {
        SendMessageW(target->window, EM_SETSEL, 0, -1);
    }
}

LRESULT OnNcCreate(HWND window, const CREATESTRUCTW& create) {
    auto* request = static_cast<CreationRequest*>(create.lpCreateParams);
    request->state->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(request->state));
    request->attached = true;
    return DefWindowProcW(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create));
}

void OnActivate(MainWindowState& state, WORD activation) {
    if (activation != WA_INACTIVE) return;
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(state.window, focus)) state.lastFocus = focus;
}

// The window hands the focus on: to the control that had it last, or to
// the first of the tab order.
LRESULT OnSetFocus(const MainWindowState& state) {
    HWND target = state.lastFocus;
    if (target == nullptr || !IsWindow(target) || !IsChild(state.window, target)) {
        const ControlState* first = NthInTabOrder(state, 0);
        target = first != nullptr ? first->window : nullptr;
    }
    if (target != nullptr) SetFocus(target);
    return 0;
}

LRESULT OnCommand(MainWindowState& state, WORD childId, WORD code) {
    ControlState* control = FindControlState(state, childId);
    if (control == nullptr) return 0;
    const auto event = EventFor(control->description->kind, code);
    if (!event) return 0;
    if (*event == kEventFocusGained) state.lastFocus = control->window;
    // A write by the program reports its own change, once.
    if (control->quiet && control->description->kind == ControlKind::EditBox && code == EN_CHANGE) {
        return 0;
    }
    RaiseEvent(state.description->id, control->description->id, *event);
    return 0;
}

// Nothing is bound to the close query, so the window goes at once.
LRESULT OnClose(const MainWindowState& state) {
    RaiseEvent(state.description->id, state.description->ownEntryId, kEventCloseQuery);
    DestroyWindow(state.window);
    return 0;
}

LRESULT OnDestroy(const MainWindowState& state) {
    RaiseEvent(state.description->id, state.description->ownEntryId, kEventDestroyed);
    NoteWindowDestroyed(state.window);
    return 0;
}

LRESULT OnNcDestroy(HWND window, MainWindowState* state, WPARAM wParam, LPARAM lParam) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete state;
    return DefWindowProcW(window, WM_NCDESTROY, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        return OnNcCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
    }
    MainWindowState* state = StateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_ACTIVATE:
            OnActivate(*state, LOWORD(wParam));
            break;
        case WM_SETFOCUS:
            return OnSetFocus(*state);
        case WM_COMMAND:
            return OnCommand(*state, LOWORD(wParam), HIWORD(wParam));
        case WM_CLOSE:
            return OnClose(*state);
        case WM_DESTROY:
            return OnDestroy(*state);
        case WM_NCDESTROY:
            return OnNcDestroy(window, state, wParam, lParam);
        case WM_QUERYENDSESSION:
            return TRUE;  // a log-off is never refused
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VESKORA), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

bool RegisterMainWindowClass(HINSTANCE instance, HICON bigIcon, HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = bigIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kMainWindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

// The window is never resized, so its outer size is set once if the frame
// came out different.
void KeepOuterSize(HWND window, const Placement& placement) {
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left == placement.width &&
        outer.bottom - outer.top == placement.height) {
        return;
    }
    SetWindowPos(window, nullptr, outer.left, outer.top, placement.width, placement.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND LoadMainWindow(const WindowDescription& description) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON bigIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
    HICON smallIcon = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    if (!RegisterMainWindowClass(instance, bigIcon, smallIcon) || !RegisterLabelClass(instance)) {
        return nullptr;
    }

    auto* state = new MainWindowState;
    state->description = &description;
    state->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    CreationRequest request{state, false};

    // Centred on the primary screen's full area; each division truncates.
    const Placement& size = description.placement;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
    HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW, kMainWindowClassName,
                                  Wide(description.caption),
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, x, y,
                                  size.width, size.height, nullptr, nullptr, instance, &request);
    if (window == nullptr) {
        if (!request.attached) delete state;
        return nullptr;
    }
    KeepOuterSize(window, size);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);

    if (!CreateControls(*state, instance)) {
        DestroyWindow(window);
        return nullptr;
    }
    ShowControls(*state);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

MessageRoute PreviewMessage(HWND mainWindow, const MSG& message) {
    if (message.message != WM_KEYDOWN || mainWindow == nullptr) return MessageRoute::Dispatch;
    if (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd)) {
        return MessageRoute::Dispatch;
    }
    const MainWindowState* state = StateOf(mainWindow);
    if (state == nullptr) return MessageRoute::Dispatch;
    const Modifiers modifiers{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                              GetKeyState(VK_MENU) < 0};
    switch (ClassifyKey(static_cast<unsigned>(message.wParam), modifiers)) {
        case KeyAction::FocusNext:
            MoveFocus(*state, true);
            return MessageRoute::Consumed;
        case KeyAction::FocusPrevious:
            MoveFocus(*state, false);
            return MessageRoute::Consumed;
        case KeyAction::CloseWindow:
            // Exactly what the close button does.
            SendMessageW(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
            return MessageRoute::Consumed;
        case KeyAction::PassOnSilently:
            return MessageRoute::DispatchUntranslated;
        case KeyAction::Swallow:
            return MessageRoute::Consumed;
        case KeyAction::PassOn:
            break;
    }
    return MessageRoute::Dispatch;
}

}  // namespace veskora

#include "ui/tests/e2e/window_probe.h"

#include <array>

#include "ui/tests/e2e/waiting.h"

namespace veskora::e2e {
namespace {

struct ProcessWindows {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<ProcessWindows*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) &&
        (search.className == nullptr || ClassOf(window) == search.className)) {
        search.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

GUITHREADINFO ThreadInfo(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info)) info = GUITHREADINFO{};
    return info;
}

}  // namespace

std::wstring ClassOf(HWND window) {
    std::array<wchar_t, 256> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReactionTimeoutMs,
                             &length)) {
        return L"<no answer>";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kReactionTimeoutMs, &copied)) {
        return L"<no answer>";
    }
    text.resize(copied);
    return text;
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}
LONG_PTR ExStyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_EXSTYLE);
}

DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

bool Responds(HWND window, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

Selection SelectionOf(HWND edit) {
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, kReactionTimeoutMs,
                             &packed)) {
        return {-1, -1};
    }
    return {LOWORD(packed), HIWORD(packed)};
}

HWND FocusOf(DWORD thread) {
    return ThreadInfo(thread).hwndFocus;
}
HWND ActiveOf(DWORD thread) {
    return ThreadInfo(thread).hwndActive;
}
HWND MenuOwnerOf(DWORD thread) {
    return ThreadInfo(thread).hwndMenuOwner;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    ProcessWindows search{processId, className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.owner = GetWindow(box, GW_OWNER);
    view.caption = TextOf(box);
    std::vector<HWND> children;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (!IsWindowVisible(child)) continue;
        const std::wstring kind = ClassOf(child);
        if (_wcsicmp(kind.c_str(), L"Button") == 0) {
            view.buttons.push_back({child, GetDlgCtrlID(child), TextOf(child)});
        } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
            if ((StyleOf(child) & SS_TYPEMASK) == SS_ICON) {
                DWORD_PTR icon = 0;
                SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kReactionTimeoutMs,
                                    &icon);
                if (icon != 0) {
                    view.hasIcon = true;
                    GetWindowRect(child, &view.iconRect);
                }
            } else {
                view.text += TextOf(child);
            }
        }
    }
    return view;
}

}  // namespace veskora::e2e

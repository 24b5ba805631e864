#include "ui/bench/bench_session.h"

#include <cwchar>

namespace veskora::bench {
namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, search.className) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

std::optional<Started> StartProgram(const std::wstring& path) {
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    return Started{info.hProcess, info.dwProcessId};
}

HWND VisibleWindowOf(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND AwaitVisibleWindow(const Started& program, const wchar_t* className, double timeoutSeconds) {
    const double deadline = Now() + timeoutSeconds;
    for (;;) {
        if (HWND window = VisibleWindowOf(program.id, className)) return window;
        if (WaitForSingleObject(program.process, 0) != WAIT_TIMEOUT) return nullptr;
        if (Now() > deadline) return nullptr;
        Sleep(1);
    }
}

std::optional<DWORD> CloseAndWait(const Started& program, HWND window) {
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    std::optional<DWORD> status;
    if (WaitForSingleObject(program.process, 10000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(program.process, &code);
        status = code;
    } else {
        TerminateProcess(program.process, 1);
        WaitForSingleObject(program.process, 5000);
    }
    CloseHandle(program.process);
    return status;
}

LRESULT TextLengthOf(HWND control) {
    return SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
}

std::wstring TextOf(HWND control) {
    const LRESULT length = TextLengthOf(control);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void SetText(HWND control, const std::wstring& text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

POINT CentreOf(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace veskora::bench

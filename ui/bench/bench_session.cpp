#include "ui/bench/bench_session.h"

#include <cstring>
#include <vector>

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

// Absolute mouse coordinates run from 0 to 65535 across the primary screen;
// rounding up makes the system's rounding down land on the pixel itself.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    return input;
}

INPUT KeyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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

bool PutOnClipboard(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);
    CloseClipboard();
    return placed;
}

void ClickAt(POINT screen) {
    Send({MouseInput(0, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen),
          MouseInput(MOUSEEVENTF_LEFTUP, screen)});
}

void PressKey(WORD key, WORD modifier) {
    std::vector<INPUT> inputs;
    if (modifier != 0) inputs.push_back(KeyInput(modifier, true));
    inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(key, false));
    if (modifier != 0) inputs.push_back(KeyInput(modifier, false));
    Send(std::move(inputs));
}

POINT CentreOf(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace veskora::bench

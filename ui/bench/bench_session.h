// What window_bench needs to drive a program from outside: start it, find its
// window and controls, read and write its boxes, close it. Its keyboard and
// mouse are the end-to-end tests' (ui/tests/e2e/user_input.h).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace veskora::bench {

// Seconds on the high-resolution counter.
double Now();

// One started program and its process handle.
struct Started {
    HANDLE process = nullptr;
    DWORD id = 0;
};

std::optional<Started> StartProgram(const std::wstring& path);

// The visible top-level window of the process with that class, or null.
HWND VisibleWindowOf(DWORD processId, const wchar_t* className);

// Polls (1 ms apart) until the process shows its window; null when it ends
// first or the timeout passes.
HWND AwaitVisibleWindow(const Started& program, const wchar_t* className, double timeoutSeconds);

// Asks the window to close and waits for the process to end; its exit
// status, or nothing if it did not end in time (it is then killed).
std::optional<DWORD> CloseAndWait(const Started& program, HWND window);

std::wstring TextOf(HWND control);
LRESULT TextLengthOf(HWND control);
void SetText(HWND control, const std::wstring& text);

POINT CentreOf(HWND control);

}  // namespace veskora::bench

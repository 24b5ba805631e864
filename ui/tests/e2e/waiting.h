// Waiting for the program under test: poll a condition until it holds or a
// generous deadline passes, instead of sleeping for a fixed time.
#pragma once

#include <windows.h>

namespace veskora::e2e {

// A program under Wine can take seconds to start on a busy machine.
inline constexpr DWORD kStartTimeoutMs = 30000;
// Time for the program to react to input or to a message.
inline constexpr DWORD kReactionTimeoutMs = 5000;
inline constexpr DWORD kExitTimeoutMs = 10000;
// How long to watch for something that must not happen, such as a second
// message box, once a later event has shown that the input was processed.
inline constexpr DWORD kSettleMs = 300;

template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kReactionTimeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);
    }
}

// True when the condition holds throughout the whole period.
template <class Condition>
bool HoldsFor(Condition condition, DWORD periodMs = kSettleMs) {
    const ULONGLONG deadline = GetTickCount64() + periodMs;
    for (;;) {
        if (!condition()) return false;
        if (GetTickCount64() >= deadline) return true;
        Sleep(10);
    }
}

}  // namespace veskora::e2e

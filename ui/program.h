// The program's life: start-up, the message loop, events, the end and the
// fatal error path.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "ui/window_description.h"

namespace veskora {

// One per process.
struct ProgramState {
    void (*endHook)() = nullptr;
    bool loopRunning = false;  // set just before the loop starts, never cleared
    bool ending = false;       // set when the end begins; no event procedure runs after
    std::span<const WindowDescription> descriptions;  // as read at start-up
    HWND loadedWindow = nullptr;                      // the main window while it exists
};

ProgramState& Program();

// Runs the whole program, message loop included; returns 0.
int StartProgram();

// Takes and dispatches messages until the quit message; returns its value.
int RunMessageLoop();

// Runs the procedure bound to an event, if any; returns whether one ran.
bool RaiseEvent(std::uint32_t window, std::uint32_t control, std::int32_t event);

void EndProgram(int exitStatus);

// Shows the fatal error box and ends the process with status -1. Needs no
// storage of its own.
[[noreturn]] void ReportFatalError(const char16_t* message) noexcept;

// The fatal error for a request of bytes that could not be met.
[[noreturn]] void ReportStorageFailure(std::size_t bytes) noexcept;

// The loaded window tells the program that it is gone.
void NoteWindowDestroyed(HWND window);

}  // namespace veskora

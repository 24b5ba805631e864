// The program's life run in this process: the real start sequence, window
// and message loop, closed once the loop runs, then the normal end.
#include <gtest/gtest.h>

#include "ui/program.h"

namespace veskora {
namespace {

struct Observed {
    HWND window = nullptr;
    bool hookRegistered = false;
    bool loopRunning = false;
    int hookRuns = 0;
    bool windowExistedAtHook = true;
};
Observed observed;

void CountingHook() {
    ++observed.hookRuns;
    observed.windowExistedAtHook = IsWindow(observed.window) != FALSE;
}

// Runs from the message loop: notes what start-up left, puts a hook that
// can be counted in place of the program's own (which does nothing), and
// closes the window as its close button would.
void CALLBACK CloseOnceRunning(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ProgramState& state = Program();
    observed.window = state.loadedWindow;
    observed.hookRegistered = state.endHook != nullptr;
    observed.loopRunning = state.loopRunning;
    state.endHook = CountingHook;
    PostMessageW(observed.window, WM_CLOSE, 0, 0);
}

TEST(ProgramLifecycle, EndHookRunsOnceAfterTheWindowIsGone) {
    ASSERT_NE(SetTimer(nullptr, 0, 50, CloseOnceRunning), 0u);
    EXPECT_EQ(StartProgram(), 0);

    ASSERT_NE(observed.window, nullptr) << "the message loop never ran";
    EXPECT_TRUE(observed.hookRegistered);
    EXPECT_TRUE(observed.loopRunning);
    EXPECT_FALSE(IsWindow(observed.window)) << "the loop ended with the window still there";
    EXPECT_EQ(observed.hookRuns, 0) << "the end hook ran before the end";

    EndProgram(0);
    EXPECT_EQ(observed.hookRuns, 1);
    EXPECT_FALSE(observed.windowExistedAtHook);
    EXPECT_TRUE(Program().ending);

    EndProgram(0);
    EXPECT_EQ(observed.hookRuns, 1) << "the end hook ran twice";
    // After the end, a click of 按钮1 (0x16010010) in the main window
    // (0x52010001) runs nothing.
    EXPECT_FALSE(RaiseEvent(0x52010001, 0x16010010, 0));
}

}  // namespace
}  // namespace veskora

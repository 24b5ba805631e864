// One started copy of the program with its main window, as the tests see
// it: the controls by their ids, their texts, the focus, the message boxes
// it shows, and a few user gestures on it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/tests/e2e/program_process.h"

namespace veskora::e2e {

// Control ids of the main window's children.
inline constexpr int kPulsesBox = 0x0007;        // 编辑框1
inline constexpr int kPulsesLabel = 0x0008;      // 标签1
inline constexpr int kDiameterLabel = 0x000C;    // 标签2
inline constexpr int kDiameterBox = 0x000D;      // 编辑框2
inline constexpr int kResultLabel = 0x000E;      // 标签3
inline constexpr int kResultBox = 0x000F;        // 编辑框3
inline constexpr int kCalculateButton = 0x0010;  // 按钮1
inline constexpr int kUnitLabel = 0x0011;        // 标签4

inline constexpr const wchar_t* kMainWindowClass = L"VeskoraMainWindow";

// The programs under test, as Windows paths.
std::wstring VeskoraPath();
std::wstring StorageFaultPath();
// Where the tests leave their screenshots.
std::wstring OutputFolder();

class RunningProgram {
  public:
    // Starts the program and waits until its main window is up and in the
    // foreground; nullptr, with `error` saying why, when that does not happen.
    static std::unique_ptr<RunningProgram> Launch(const std::wstring& program, std::wstring& error,
                                                  const std::wstring& arguments = L"",
                                                  const std::wstring& workingDirectory = L"");

    const ProgramProcess& Process() const { return process_; }
    ProgramProcess& Process() { return process_; }
    HWND Window() const { return window_; }
    DWORD Thread() const { return thread_; }

    HWND Control(int id) const { return GetDlgItem(window_, id); }
    std::wstring Text(int id) const;
    HWND Focus() const;
    // Waits for the focus or a text; on failure says what there is instead.
    ::testing::AssertionResult WaitForFocus(int id) const;
    ::testing::AssertionResult WaitForText(int id, const std::wstring& expected) const;
    // Replaces a control's text from outside, as a program would (WM_SETTEXT).
    bool SetText(int id, const std::wstring& text) const;

    // The message boxes the program shows now.
    std::vector<HWND> MessageBoxes() const;
    // Waits for exactly one message box; nullptr when none comes.
    HWND WaitForMessageBox() const;
    // The program's visible top-level windows, for failure messages.
    std::string DescribeWindows() const;
    bool WaitForNoMessageBox() const;

    // Clicks the middle of a control.
    void ClickControl(int id) const;
    // Clicks into an edit box and selects its whole text, so that typing
    // replaces it.
    ::testing::AssertionResult SelectAllOf(int id) const;
    // Replaces an edit box's text by typing, as a user would: selects it all,
    // types the new text (an empty one deletes), waits until the box shows it.
    ::testing::AssertionResult TypeInto(int id, const std::wstring& text) const;
    // A point on the title bar's close button, found by asking the window.
    std::optional<POINT> CloseButtonPoint() const;
    // A point on the title bar away from its buttons.
    POINT CaptionPoint() const;

    std::optional<DWORD> WaitForExit() const;

  private:
    RunningProgram(ProgramProcess process, HWND window)
        : process_(std::move(process)),
          window_(window),
          thread_(GetWindowThreadProcessId(window, nullptr)) {}

    ProgramProcess process_;
    HWND window_;
    DWORD thread_;
};

}  // namespace veskora::e2e

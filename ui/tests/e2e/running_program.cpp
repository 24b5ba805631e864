#include "ui/tests/e2e/running_program.h"

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"
#include "ui/tests/e2e/window_probe.h"

namespace veskora::e2e {

std::wstring VeskoraPath() {
    return WindowsPath(VESKORA_E2E_PROGRAM);
}
std::wstring StorageFaultPath() {
    return WindowsPath(VESKORA_E2E_STORAGE_FAULT_PROGRAM);
}
std::wstring OutputFolder() {
    return WindowsPath(VESKORA_E2E_OUTPUT_DIR);
}

std::unique_ptr<RunningProgram> RunningProgram::Launch(const std::wstring& program,
                                                       std::wstring& error,
                                                       const std::wstring& arguments,
                                                       const std::wstring& workingDirectory) {
    auto process = ProgramProcess::Start(program, arguments, workingDirectory);
    if (!process) {
        error = L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")";
        return nullptr;
    }
    HWND window = nullptr;
    const bool shown = WaitUntil(
        [&] {
            const auto windows = TopLevelWindows(process->Id(), kMainWindowClass);
            if (windows.size() == 1) window = windows.front();
            return window != nullptr || !process->IsRunning();
        },
        kStartTimeoutMs);
    if (!shown || window == nullptr) {
        error = process->IsRunning() ? L"no main window appeared" : L"the program ended at start";
        return nullptr;
    }
    if (!WaitUntil([&] { return GetForegroundWindow() == window; })) {
        error = L"the main window never came to the foreground";
        return nullptr;
    }
    return std::unique_ptr<RunningProgram>(new RunningProgram(std::move(*process), window));
}

std::wstring RunningProgram::Text(int id) const {
    return TextOf(Control(id));
}

HWND RunningProgram::Focus() const {
    return FocusOf(thread_);
}

::testing::AssertionResult RunningProgram::WaitForFocus(int id) const {
    if (WaitUntil([&] { return Focus() == Control(id); })) return ::testing::AssertionSuccess();
    HWND focus = Focus();
    return ::testing::AssertionFailure()
           << "the focus is on " << (focus == nullptr ? "nothing" : Utf8(ClassOf(focus)).c_str())
           << " id " << (focus == nullptr ? 0 : GetDlgCtrlID(focus)) << ", not on id " << id
           << "; foreground: " << Utf8(ClassOf(GetForegroundWindow()));
}

::testing::AssertionResult RunningProgram::WaitForText(int id, const std::wstring& expected) const {
    if (WaitUntil([&] { return Text(id) == expected; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "control " << id << " holds '" << Utf8(Text(id))
                                         << "', not '" << Utf8(expected) << "'";
}

bool RunningProgram::SetText(int id, const std::wstring& text) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kReactionTimeoutMs, &result) != 0 &&
           result != 0;
}

std::vector<HWND> RunningProgram::MessageBoxes() const {
    return TopLevelWindows(process_.Id(), kMessageBoxClass);
}

HWND RunningProgram::WaitForMessageBox() const {
    HWND box = nullptr;
    WaitUntil([&] {
        const auto boxes = MessageBoxes();
        box = boxes.size() == 1 ? boxes.front() : nullptr;
        return box != nullptr;
    });
    return box;
}

std::string RunningProgram::DescribeWindows() const {
    std::string description;
    for (HWND window : TopLevelWindows(process_.Id(), nullptr)) {
        description += "'" + Utf8(ClassOf(window)) + "' \"" + Utf8(TextOf(window)) + "\"" +
                       (IsWindowEnabled(window) ? "" : " disabled") + "; ";
    }
    return description.empty() ? "no windows" : description;
}

bool RunningProgram::WaitForNoMessageBox() const {
    return WaitUntil([&] { return MessageBoxes().empty(); });
}

// Beside the middle when the middle was just clicked, so that the click
// does not have to wait for the double-click time.
void RunningProgram::ClickControl(int id) const {
    POINT point = CentreOf(Control(id));
    if (WouldJoinLastClick(point)) point.x += GetSystemMetrics(SM_CXDOUBLECLK) + 2;
    Click(point);
}

::testing::AssertionResult RunningProgram::SelectAllOf(int id) const {
    ClickControl(id);
    auto focused = WaitForFocus(id);
    if (!focused) return focused;
    PressKey(VK_HOME);
    PressKey(VK_END, {VK_SHIFT});
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RunningProgram::TypeInto(int id, const std::wstring& text) const {
    auto selected = SelectAllOf(id);
    if (!selected) return selected;
    if (text.empty()) {
        PressKey(VK_DELETE);
    } else {
        TypeText(text);
    }
    return WaitForText(id, text);
}

std::optional<POINT> RunningProgram::CloseButtonPoint() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    // Along the middle of the title bar, from the right edge inwards.
    const LONG y =
        rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    LONG first = -1;
    LONG last = -1;
    for (LONG x = rect.right - 1; x > (rect.left + rect.right) / 2; --x) {
        DWORD_PTR hit = 0;
        if (!SendMessageTimeoutW(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                 kReactionTimeoutMs, &hit)) {
            return std::nullopt;
        }
        if (hit == HTCLOSE) {
            if (last < 0) last = x;
            first = x;
        } else if (last >= 0) {
            break;
        }
    }
    if (last < 0) return std::nullopt;
    return POINT{(first + last) / 2, y};
}

POINT RunningProgram::CaptionPoint() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return {rect.left + (rect.right - rect.left) / 3,
            rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

std::optional<DWORD> RunningProgram::WaitForExit() const {
    return process_.WaitForExit(kExitTimeoutMs);
}

}  // namespace veskora::e2e

// Storage running out during a click: the fatal error box, the window left
// usable but inert, and exit status -1 afterwards. The test twin of the
// program refuses every request for storage from its first click on.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/screen_capture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"
#include "ui/tests/e2e/window_probe.h"

namespace veskora::e2e {
namespace {

constexpr DWORD kFatalStatus = 0xFFFFFFFF;  // -1

// "运行时出错!\r\n\r\n错误信息：分配 N 字节内存失败!\r\n" with N a positive
// decimal number; the number itself, or empty when the text differs.
std::wstring AllocationSizeIn(const std::wstring& text) {
    const std::wstring head = L"运行时出错!\r\n\r\n错误信息：分配 ";
    const std::wstring tail = L" 字节内存失败!\r\n";
    if (text.size() <= head.size() + tail.size() || text.compare(0, head.size(), head) != 0 ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0) {
        return {};
    }
    const std::wstring number = text.substr(head.size(), text.size() - head.size() - tail.size());
    if (number.front() == L'0') return {};
    for (wchar_t c : number) {
        if (c < L'0' || c > L'9') return {};
    }
    return number;
}

// The stop icon is mostly red.
bool LooksLikeTheStopIcon(const RECT& icon) {
    const auto picture = CaptureScreen(icon);
    if (!picture) return false;
    std::size_t red = 0;
    for (std::uint32_t pixel : picture->pixels) {
        const std::uint32_t r = (pixel >> 16) & 0xFF;
        const std::uint32_t g = (pixel >> 8) & 0xFF;
        const std::uint32_t b = pixel & 0xFF;
        if (r > 150 && g < 110 && b < 110) ++red;
    }
    return red * 5 > picture->pixels.size();
}

class FatalError : public VeskoraTest {
  protected:
    void SetUp() override {}
};

TEST_F(FatalError, StorageRunningOutEndsThroughTheErrorBox) {
    struct Row {
        bool byEnter;  // else the OK button
        const char* name;
    };
    constexpr Row kRows[] = {{false, "OK"}, {true, "Enter"}};
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        Start(StorageFaultPath());
        ASSERT_NE(program_, nullptr);

        Program().ClickControl(kCalculateButton);
        HWND box = Program().WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no error box";
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }));
        EXPECT_TRUE(Responds(box, kReactionTimeoutMs));
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(Utf8(view.caption), "错误");
        EXPECT_FALSE(AllocationSizeIn(view.text).empty()) << "text: " << Utf8(view.text);
        EXPECT_EQ(view.buttons.size(), 1u);
        if (view.buttons.size() == 1) {
            EXPECT_EQ(view.buttons.front().id, IDOK);
        }
        EXPECT_TRUE(view.hasIcon);
        if (view.hasIcon) {
            EXPECT_TRUE(LooksLikeTheStopIcon(view.iconRect)) << "not the stop icon";
        }
        EXPECT_EQ(view.owner, nullptr);
        EXPECT_TRUE(IsWindowEnabled(Program().Window())) << "the box must not be task-modal";

        if (!row.byEnter) {
            RECT rect{};
            GetWindowRect(box, &rect);
            const auto picture = CaptureScreen(rect);
            ASSERT_TRUE(picture.has_value());
            EXPECT_TRUE(WriteBmp(*picture, OutputFolder() + L"\\veskora-fatal-error.bmp"));
        }

        // The window still takes the click, but nothing runs any more.
        Program().ClickControl(kCalculateButton);
        EXPECT_TRUE(HoldsFor([&] {
            const auto boxes = Program().MessageBoxes();
            return boxes.size() == 1 && boxes.front() == box && Program().Process().IsRunning();
        })) << "the click ran again";
        EXPECT_EQ(Program().Text(kResultBox), L"");

        // The click on the main window may have put it in front of the box,
        // which has no owner: bring the box back before answering it.
        SetForegroundWindow(box);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }));
        if (row.byEnter) {
            PressKey(VK_RETURN);
        } else {
            Click(CentreOf(GetDlgItem(box, IDOK)));
        }
        const auto status = Program().WaitForExit();
        ASSERT_TRUE(status.has_value()) << "still running after the error box";
        EXPECT_EQ(*status, kFatalStatus);
        program_.reset();
    }
}

}  // namespace
}  // namespace veskora::e2e

// An empty input: the notice "请输入参数", however it is dismissed, and the
// window taking no input while it is up.
#include <gtest/gtest.h>

#include <string>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/screen_capture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"
#include "ui/tests/e2e/window_probe.h"

namespace veskora::e2e {
namespace {

constexpr const wchar_t* kDefaultResult = L"194.0174577454";

enum class Dismissal { OkButton, Enter, Escape, CloseButton };

const char* NameOf(Dismissal way) {
    switch (way) {
        case Dismissal::OkButton:
            return "OK";
        case Dismissal::Enter:
            return "Enter";
        case Dismissal::Escape:
            return "Esc";
        case Dismissal::CloseButton:
            return "close button";
    }
    return "";
}

// The box's own close button: along the middle of its title bar.
std::optional<POINT> BoxCloseButton(HWND box) {
    RECT rect{};
    GetWindowRect(box, &rect);
    const LONG y =
        rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (LONG x = rect.right - 1; x > rect.left; --x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(box, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                            kReactionTimeoutMs, &hit);
        if (hit == HTCLOSE) return POINT{x - 3, y};
    }
    return std::nullopt;
}

void Dismiss(HWND box, Dismissal way) {
    switch (way) {
        case Dismissal::OkButton:
            Click(CentreOf(GetDlgItem(box, IDOK)));
            break;
        case Dismissal::Enter:
            PressKey(VK_RETURN);
            break;
        case Dismissal::Escape:
            PressKey(VK_ESCAPE);
            break;
        case Dismissal::CloseButton: {
            const auto point = BoxCloseButton(box);
            ASSERT_TRUE(point.has_value()) << "no close button on the box";
            Click(*point);
            break;
        }
    }
}

class Notice : public VeskoraTest {
  protected:
    // A result is on show first, so that an untouched 编辑框3 can be seen.
    void ShowAResult() {
        Program().ClickControl(kCalculateButton);
        ASSERT_TRUE(Program().WaitForText(kResultBox, kDefaultResult));
    }

    // Clicks the button and checks the notice that must come up.
    HWND ExpectNotice() {
        Program().ClickControl(kCalculateButton);
        HWND box = Program().WaitForMessageBox();
        EXPECT_NE(box, nullptr) << "no notice; windows: " << Program().DescribeWindows()
                                << "; 编辑框1 '" << Utf8(Program().Text(kPulsesBox))
                                << "' 编辑框2 '" << Utf8(Program().Text(kDiameterBox)) << "'";
        if (box == nullptr) return nullptr;
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }));
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(Utf8(view.caption), "信息：");
        EXPECT_EQ(Utf8(view.text), "请输入参数");
        EXPECT_EQ(view.buttons.size(), 1u);
        if (view.buttons.size() == 1) {
            EXPECT_EQ(view.buttons.front().id, IDOK);
        }
        EXPECT_FALSE(view.hasIcon);
        EXPECT_EQ(view.owner, nullptr);
        EXPECT_FALSE(IsWindowEnabled(Program().Window())) << "task-modal";
        return box;
    }

    // Dismisses the notice and checks that it is gone for good.
    void DismissNotice(HWND box, Dismissal way) {
        Dismiss(box, way);
        EXPECT_TRUE(Program().WaitForNoMessageBox()) << "the notice stays";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Program().Window()) != FALSE; }));
        EXPECT_TRUE(HoldsFor([&] { return Program().MessageBoxes().empty(); }))
            << "a second notice";
    }
};

TEST_F(Notice, EmptyInputAsksForItOncePerClick) {
    struct Row {
        int box;
        const wchar_t* typed;  // replaces the box's text; empty = deleted
        Dismissal way;
    };
    const Row kRows[] = {
        {kPulsesBox, L"", Dismissal::OkButton},       {kDiameterBox, L"", Dismissal::Enter},
        {kPulsesBox, L"0", Dismissal::Escape},  // tidied to empty by the click
        {kDiameterBox, L"-", Dismissal::CloseButton}, {kDiameterBox, L"0.0", Dismissal::OkButton},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(std::string(NameOf(row.way)) + " after '" + Utf8(row.typed) + "'");
        if (program_ == nullptr) Start(VeskoraPath());
        ASSERT_NE(program_, nullptr);
        ShowAResult();
        ASSERT_TRUE(Program().TypeInto(row.box, row.typed));

        HWND box = ExpectNotice();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Program().Text(row.box), L"");
        DismissNotice(box, row.way);
        EXPECT_EQ(Program().Text(kResultBox), kDefaultResult) << "编辑框3 was touched";

        // Each further click asks again.
        box = ExpectNotice();
        ASSERT_NE(box, nullptr);
        DismissNotice(box, Dismissal::Enter);
        EXPECT_EQ(Program().Text(kResultBox), kDefaultResult);

        PressKey(VK_ESCAPE);
        EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
        program_.reset();
    }
}

TEST_F(Notice, BothInputsEmpty) {
    for (int box : {kPulsesBox, kDiameterBox}) {
        ASSERT_TRUE(Program().TypeInto(box, L""));
    }
    HWND notice = ExpectNotice();
    ASSERT_NE(notice, nullptr);

    RECT rect{};
    GetWindowRect(notice, &rect);
    const auto picture = CaptureScreen(rect);
    ASSERT_TRUE(picture.has_value());
    EXPECT_TRUE(WriteBmp(*picture, OutputFolder() + L"\\veskora-notice.bmp"));

    DismissNotice(notice, Dismissal::OkButton);
    EXPECT_EQ(Program().Text(kResultBox), L"");
}

TEST_F(Notice, WindowTakesNoInputWhileItIsUp) {
    const auto closeButton = Program().CloseButtonPoint();
    ASSERT_TRUE(closeButton.has_value());
    ASSERT_TRUE(Program().TypeInto(kDiameterBox, L""));
    HWND notice = ExpectNotice();
    ASSERT_NE(notice, nullptr);

    // Neither the button nor the close button does anything now.
    Program().ClickControl(kCalculateButton);
    Click(*closeButton);
    EXPECT_TRUE(HoldsFor([&] {
        const auto boxes = Program().MessageBoxes();
        return boxes.size() == 1 && boxes.front() == notice && Program().Process().IsRunning();
    })) << "the window reacted while the notice was up";
    EXPECT_TRUE(IsWindow(Program().Window()));

    // Both work again once it is gone.
    DismissNotice(notice, Dismissal::OkButton);
    notice = ExpectNotice();
    ASSERT_NE(notice, nullptr);
    DismissNotice(notice, Dismissal::Escape);
    Click(*closeButton);
    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace veskora::e2e

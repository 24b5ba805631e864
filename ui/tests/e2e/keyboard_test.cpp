// The keyboard at window level: the tab order, keys that do nothing, Space
// on the button and Esc.
#include <gtest/gtest.h>

#include <string>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"

namespace veskora::e2e {
namespace {

constexpr const wchar_t* kDefaultResult = L"194.0174577454";

using Keyboard = VeskoraTest;

TEST_F(Keyboard, TabAndShiftTabCycleThroughTheTabOrder) {
    struct Step {
        bool backwards;
        int focus;  // where the focus is after the key
        const char* name;
    };
    constexpr Step kSteps[] = {
        {false, kDiameterBox, "Tab to 编辑框2"},
        {false, kResultBox, "Tab to 编辑框3"},
        {false, kCalculateButton, "Tab to 按钮1"},
        {false, kPulsesBox, "Tab from 按钮1 to 编辑框1"},
        {true, kCalculateButton, "Shift+Tab from 编辑框1 to 按钮1"},
        {true, kResultBox, "Shift+Tab to 编辑框3"},
        {true, kDiameterBox, "Shift+Tab to 编辑框2"},
        {true, kPulsesBox, "Shift+Tab to 编辑框1"},
        {true, kCalculateButton, "Shift+Tab wraps again"},
        {false, kPulsesBox, "Tab wraps again"},
    };
    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.name);
        if (step.backwards) {
            PressKey(VK_TAB, {VK_SHIFT});
        } else {
            PressKey(VK_TAB);
        }
        EXPECT_TRUE(Program().WaitForFocus(step.focus));
    }
    // Leaving the boxes with their defaults changed nothing, and nothing ran.
    EXPECT_EQ(Program().Text(kPulsesBox), L"12800");
    EXPECT_EQ(Program().Text(kDiameterBox), L"21");
    EXPECT_EQ(Program().Text(kResultBox), L"");
}

// Enter and F1 do nothing in any control: the focus stays, no text changes,
// the button does not run. A key typed afterwards proves they were handled.
TEST_F(Keyboard, EnterAndF1ChangeNothing) {
    struct Row {
        int control;
        int tabs;  // from 编辑框1
        WORD key;
        const char* name;
    };
    constexpr Row kRows[] = {
        {kPulsesBox, 0, VK_RETURN, "Enter in 编辑框1"},
        {kDiameterBox, 1, VK_RETURN, "Enter in 编辑框2"},
        {kResultBox, 2, VK_RETURN, "Enter in 编辑框3"},
        {kCalculateButton, 3, VK_RETURN, "Enter on 按钮1"},
        {kPulsesBox, 0, VK_F1, "F1 in 编辑框1"},
        {kResultBox, 2, VK_F1, "F1 in 编辑框3"},
        {kCalculateButton, 3, VK_F1, "F1 on 按钮1"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(Program().SetText(kPulsesBox, L"12800"));
        ASSERT_TRUE(Program().SetText(kDiameterBox, L"21"));
        ASSERT_TRUE(Program().SetText(kResultBox, L""));
        Program().ClickControl(kPulsesBox);
        ASSERT_TRUE(Program().WaitForFocus(kPulsesBox));
        for (int i = 0; i < row.tabs; ++i) PressKey(VK_TAB);
        ASSERT_TRUE(Program().WaitForFocus(row.control));

        PressKey(row.key);
        if (row.control == kCalculateButton) {
            PressKey(VK_TAB);
            EXPECT_TRUE(Program().WaitForFocus(kPulsesBox));
            EXPECT_EQ(Program().Text(kResultBox), L"") << "the button ran";
        } else {
            PressKey(VK_END);
            TypeText(L"7");
            const std::wstring before = row.control == kPulsesBox     ? L"12800"
                                        : row.control == kDiameterBox ? L"21"
                                                                      : L"";
            EXPECT_TRUE(Program().WaitForText(row.control, before + L"7"))
                << Utf8(Program().Text(row.control));
            EXPECT_EQ(Program().Focus(), Program().Control(row.control));
            if (row.control != kResultBox) {
                EXPECT_EQ(Program().Text(kResultBox), L"");
            }
        }
        EXPECT_TRUE(Program().MessageBoxes().empty());
    }
}

TEST_F(Keyboard, SpaceOnTheButtonCalculates) {
    for (int i = 0; i < 3; ++i) PressKey(VK_TAB);
    ASSERT_TRUE(Program().WaitForFocus(kCalculateButton));
    PressKey(VK_SPACE);
    EXPECT_TRUE(Program().WaitForText(kResultBox, kDefaultResult))
        << Utf8(Program().Text(kResultBox));
    EXPECT_EQ(Program().Focus(), Program().Control(kCalculateButton));
}

// Esc closes the window whichever control has the focus, whatever the boxes
// hold, and the program ends with status 0.
TEST_F(Keyboard, EscClosesFromEveryControl) {
    struct Row {
        int control;
        int tabs;
        const char* name;
    };
    constexpr Row kRows[] = {
        {kPulsesBox, 0, "编辑框1"},
        {kDiameterBox, 1, "编辑框2"},
        {kResultBox, 2, "编辑框3"},
        {kCalculateButton, 3, "按钮1"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        if (program_ == nullptr) Start(VeskoraPath());
        ASSERT_NE(program_, nullptr);
        TypeText(L"3.");
        for (int i = 0; i < row.tabs; ++i) PressKey(VK_TAB);
        ASSERT_TRUE(Program().WaitForFocus(row.control));
        PressKey(VK_ESCAPE);
        const auto status = Program().WaitForExit();
        ASSERT_TRUE(status.has_value()) << "still running";
        EXPECT_EQ(*status, 0u);
        program_.reset();
    }
}

}  // namespace
}  // namespace veskora::e2e

// The two number boxes: what typing lets through, and how the number is
// tidied when the focus leaves the box.
#include <gtest/gtest.h>

#include <string>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"
#include "ui/tests/e2e/window_probe.h"

namespace veskora::e2e {
namespace {

const wchar_t* DefaultOf(int box) {
    return box == kPulsesBox ? L"12800" : L"21";
}
int NextAfter(int box) {
    return box == kPulsesBox ? kDiameterBox : kResultBox;
}

// Puts the caret `offset` characters from the start, or at the end when
// offset is negative.
void PlaceCaret(int offset) {
    if (offset < 0) {
        PressKey(VK_END);
        return;
    }
    PressKey(VK_HOME);
    for (int i = 0; i < offset; ++i) PressKey(VK_RIGHT);
}

using NumberEntry = VeskoraTest;

TEST_F(NumberEntry, TypingKeepsOnlyDigitsMinusSignsAndPoints) {
    struct Row {
        int box;
        int caret;  // where typing starts; -1 = at the end
        const wchar_t* typed;
        const wchar_t* expected;
    };
    // Each row ends with an accepted character, so its arrival shows that
    // everything typed before it has been handled.
    const Row kRows[] = {
        {kPulsesBox, -1, L"a1", L"128001"},
        {kPulsesBox, -1, L"Z 1", L"128001"},
        {kPulsesBox, -1, L"+,1", L"128001"},
        {kPulsesBox, -1, L"e*/=1", L"128001"},
        {kPulsesBox, -1, L"\uFF15\uFF0E1", L"128001"},  // full-width 5 and point
        {kPulsesBox, -1, L"中文1", L"128001"},
        {kPulsesBox, -1, L"-", L"12800-"},
        {kPulsesBox, -1, L".", L"12800."},
        {kPulsesBox, 0, L"-", L"-12800"},
        {kPulsesBox, 2, L"-.-.", L"12-.-.800"},
        {kPulsesBox, 0, L"..--9", L"..--912800"},
        // The text scrolls on past the right edge instead of refusing keys.
        {kPulsesBox, -1, L"1234567890123456789012345", L"128001234567890123456789012345"},
        {kDiameterBox, -1, L"x.5", L"21.5"},
        {kDiameterBox, 1, L"-+-", L"2--1"},
        {kDiameterBox, 0, L" 0", L"021"},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(Utf8(row.typed));
        ASSERT_TRUE(Program().SetText(row.box, DefaultOf(row.box)));
        Program().ClickControl(row.box);
        ASSERT_TRUE(Program().WaitForFocus(row.box));
        PlaceCaret(row.caret);
        TypeText(row.typed);
        EXPECT_TRUE(Program().WaitForText(row.box, row.expected))
            << "box holds " << Utf8(Program().Text(row.box));
    }
}

TEST_F(NumberEntry, LeavingTheBoxTidiesItsNumber) {
    struct Row {
        int box;
        const wchar_t* typed;  // replaces the box's text; empty = deleted
        int caret;             // before leaving: -1 = end, else from the start
        int selectTo;          // the selection's other end, -1 = none
        const wchar_t* expected;
        Selection selection;  // afterwards
    };
    // The caret goes to where the selection started, at most to the end of
    // the new text; an unchanged text keeps its caret.
    const Row kRows[] = {
        {kPulsesBox, L"0", -1, -1, L"", {0, 0}},
        {kPulsesBox, L"-", -1, -1, L"", {0, 0}},
        {kPulsesBox, L".", -1, -1, L"", {0, 0}},
        {kPulsesBox, L"0.0", -1, -1, L"", {0, 0}},
        {kPulsesBox, L"", -1, -1, L"", {0, 0}},
        {kPulsesBox, L"007", -1, -1, L"7", {1, 1}},
        {kPulsesBox, L".5", -1, -1, L"0.5", {2, 2}},
        {kPulsesBox, L".5", 0, -1, L"0.5", {0, 0}},
        {kPulsesBox, L"1.50", -1, -1, L"1.5", {3, 3}},
        {kPulsesBox, L"1.50", 1, -1, L"1.5", {1, 1}},
        {kPulsesBox, L"1.50", 2, 4, L"1.5", {2, 2}},  // "50" selected
        {kPulsesBox, L"1-2", -1, -1, L"1", {1, 1}},
        {kPulsesBox, L"1..5", -1, -1, L"1", {1, 1}},
        {kPulsesBox, L"--5", -1, -1, L"", {0, 0}},
        {kPulsesBox, L"-5-", -1, -1, L"-5", {2, 2}},
        {kPulsesBox, L"00.0100", -1, -1, L"0.01", {4, 4}},
        {kPulsesBox, L"-0", -1, -1, L"", {0, 0}},  // minus zero is shown as 0 too
        {kPulsesBox, L"10000000000000", -1, -1, L"1e+013", {6, 6}},
        {kPulsesBox, L"0.00001", -1, -1, L"1e-005", {6, 6}},
        {kPulsesBox, L"12800", 2, -1, L"12800", {2, 2}},
        {kPulsesBox, L"12800", 1, 4, L"12800", {1, 4}},
        {kDiameterBox, L"21", 1, -1, L"21", {1, 1}},
        {kDiameterBox, L"-0.250", -1, -1, L"-0.25", {5, 5}},
        {kDiameterBox, L"0", -1, -1, L"", {0, 0}},
        {kDiameterBox, L"5.", -1, -1, L"5", {1, 1}},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(Utf8(row.typed) + " -> " + Utf8(row.expected));
        ASSERT_TRUE(Program().SetText(row.box, DefaultOf(row.box)));
        ASSERT_TRUE(Program().TypeInto(row.box, row.typed));
        PlaceCaret(row.caret);
        if (row.selectTo >= 0) {
            for (int i = row.caret; i < row.selectTo; ++i) PressKey(VK_RIGHT, {VK_SHIFT});
        }
        PressKey(VK_TAB);
        ASSERT_TRUE(Program().WaitForFocus(NextAfter(row.box)));
        EXPECT_EQ(Program().Text(row.box), row.expected)
            << "box holds " << Utf8(Program().Text(row.box));
        EXPECT_EQ(SelectionOf(Program().Control(row.box)), row.selection)
            << "selection " << SelectionOf(Program().Control(row.box)).start << ".."
            << SelectionOf(Program().Control(row.box)).end;
    }
}

// Pasted or written text is not filtered, but is tidied like typed text.
TEST_F(NumberEntry, PastedTextIsTidiedWhenLeaving) {
    struct Row {
        int box;
        const wchar_t* text;
        bool paste;  // else written by a message, as another program would
        const wchar_t* expected;
    };
    const Row kRows[] = {
        {kPulsesBox, L"abc", true, L""},
        {kPulsesBox, L"abc", false, L""},
        {kPulsesBox, L"  12800", true, L"12800"},
        {kPulsesBox, L"12800abc", true, L"12800"},
        {kDiameterBox, L"1e+040", true, L"1e+040"},
        // The box reads its number without folding full-width digits.
        {kDiameterBox, L"\uFF12\uFF11", true, L""},
        {kDiameterBox, L"x21", false, L""},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(Utf8(row.text));
        if (row.paste) {
            ASSERT_TRUE(PutOnClipboard(row.text));
            ASSERT_TRUE(Program().SelectAllOf(row.box));
            PressKey('V', {VK_CONTROL});
        } else {
            Program().ClickControl(row.box);
            ASSERT_TRUE(Program().WaitForFocus(row.box));
            ASSERT_TRUE(Program().SetText(row.box, row.text));
        }
        ASSERT_TRUE(Program().WaitForText(row.box, row.text))
            << "box holds " << Utf8(Program().Text(row.box));
        PressKey(VK_TAB);
        ASSERT_TRUE(Program().WaitForFocus(NextAfter(row.box)));
        EXPECT_EQ(Program().Text(row.box), row.expected)
            << "box holds " << Utf8(Program().Text(row.box));
    }
}

// Another program taking the activation takes the focus from the box too:
// the box is tidied, and it has the focus again when the window returns.
TEST_F(NumberEntry, SwitchingAwayTidiesAndComingBackRestoresTheFocus) {
    ASSERT_TRUE(Program().TypeInto(kDiameterBox, L"0"));

    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    auto pumpUntil = [](auto condition) {
        return WaitUntil([&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            return condition();
        });
    };
    SetForegroundWindow(other);
    EXPECT_TRUE(pumpUntil([&] { return GetForegroundWindow() == other; }));
    EXPECT_TRUE(pumpUntil([&] { return Program().Text(kDiameterBox).empty(); }))
        << "box holds " << Utf8(Program().Text(kDiameterBox));

    SetForegroundWindow(Program().Window());
    EXPECT_TRUE(pumpUntil([&] { return GetForegroundWindow() == Program().Window(); }));
    EXPECT_TRUE(pumpUntil([&] { return Program().Focus() == Program().Control(kDiameterBox); }));
    DestroyWindow(other);
    EXPECT_EQ(Program().Text(kPulsesBox), L"12800");

    // The keyboard works in the box again.
    TypeText(L"4");
    EXPECT_TRUE(Program().WaitForText(kDiameterBox, L"4"));
}

}  // namespace
}  // namespace veskora::e2e

// A click on "计算": the inputs as the user leaves them, the result in 编辑框3.
#include <gtest/gtest.h>

#include <string>

#include "ui/tests/e2e/e2e_fixture.h"
#include "ui/tests/e2e/user_input.h"
#include "ui/tests/e2e/waiting.h"

namespace veskora::e2e {
namespace {

constexpr const wchar_t* kDefaultResult = L"194.0174577454";

using Calculation = VeskoraTest;

TEST_F(Calculation, ClickWithTheDefaults) {
    Program().ClickControl(kCalculateButton);
    EXPECT_TRUE(Program().WaitForText(kResultBox, kDefaultResult))
        << Utf8(Program().Text(kResultBox));
    EXPECT_EQ(Program().Text(kPulsesBox), L"12800");
    EXPECT_EQ(Program().Text(kDiameterBox), L"21");
    EXPECT_EQ(Program().Focus(), Program().Control(kCalculateButton));
    EXPECT_TRUE(Program().MessageBoxes().empty());
}

// Typed inputs, then a click; each result replaces the one before.
TEST_F(Calculation, TypedInputsGiveTheirResult) {
    struct Row {
        const wchar_t* pulses;
        const wchar_t* diameter;
        const wchar_t* pulsesShown;  // after the box has been left
        const wchar_t* result;
    };
    const Row kRows[] = {
        {L"10000", L"20", L"10000", L"159.1549458068"},
        {L"1", L"1", L"1", L"0.3183098916136"},
        {L"-12800", L"21", L"-12800", L"-194.0174577454"},
        {L"12800", L"21", L"12800", kDefaultResult},
        // The pulse count narrows to single precision: 16777216.
        {L"16777217", L"1", L"16777217", L"5340353.806537"},
        // So does the diameter: the single nearest 0.1.
        {L"12800", L"0.1", L"12800", L"40743.66551941"},
        // Leaving the box tidies 012800. to 12800 before the click reads it.
        {L"012800.", L"21.0", L"12800", kDefaultResult},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(Utf8(row.pulses) + " / " + Utf8(row.diameter));
        ASSERT_TRUE(Program().TypeInto(kPulsesBox, row.pulses));
        ASSERT_TRUE(Program().TypeInto(kDiameterBox, row.diameter));
        Program().ClickControl(kCalculateButton);
        EXPECT_TRUE(Program().WaitForText(kResultBox, row.result))
            << "编辑框3 holds " << Utf8(Program().Text(kResultBox));
        EXPECT_EQ(Program().Text(kPulsesBox), row.pulsesShown);
        EXPECT_TRUE(Program().MessageBoxes().empty());
    }
}

// Texts that reach the click without being typed: pasted into a box that is
// then left, or written into a box that never had the focus.
TEST_F(Calculation, PastedAndWrittenInputs) {
    // Too large for a single, the diameter becomes infinite: the result is 0.
    ASSERT_TRUE(PutOnClipboard(L"1e+040"));
    ASSERT_TRUE(Program().SelectAllOf(kDiameterBox));
    PressKey('V', {VK_CONTROL});
    ASSERT_TRUE(Program().WaitForText(kDiameterBox, L"1e+040"));
    Program().ClickControl(kCalculateButton);
    EXPECT_TRUE(Program().WaitForText(kResultBox, L"0")) << Utf8(Program().Text(kResultBox));
    EXPECT_EQ(Program().Text(kDiameterBox), L"1e+040");

    // Full-width digits written into a box without the focus are not tidied;
    // the calculation folds them and reads 21.
    Program().ClickControl(kPulsesBox);
    ASSERT_TRUE(Program().WaitForFocus(kPulsesBox));
    ASSERT_TRUE(Program().SetText(kDiameterBox, L"\uFF12\uFF11"));
    Program().ClickControl(kCalculateButton);
    EXPECT_TRUE(Program().WaitForText(kResultBox, kDefaultResult))
        << Utf8(Program().Text(kResultBox));
    EXPECT_EQ(Program().Text(kDiameterBox), L"\uFF12\uFF11");
}

// 编辑框3 takes any text, is never tidied, and a result replaces all of it.
TEST_F(Calculation, ResultBoxTakesAnyTextAndIsReplacedWhole) {
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    ASSERT_TRUE(Program().WaitForFocus(kResultBox));
    const std::wstring typed = L"ab +,5 007 中文";
    TypeText(typed);
    ASSERT_TRUE(Program().WaitForText(kResultBox, typed)) << Utf8(Program().Text(kResultBox));
    PressKey(VK_TAB);
    ASSERT_TRUE(Program().WaitForFocus(kCalculateButton));
    EXPECT_EQ(Program().Text(kResultBox), typed) << "not tidied on leaving";

    // Put the caret in the middle: the result still replaces everything.
    Program().ClickControl(kResultBox);
    ASSERT_TRUE(Program().WaitForFocus(kResultBox));
    PressKey(VK_HOME);
    PressKey(VK_RIGHT);
    Program().ClickControl(kCalculateButton);
    EXPECT_TRUE(Program().WaitForText(kResultBox, kDefaultResult))
        << Utf8(Program().Text(kResultBox));
}

}  // namespace
}  // namespace veskora::e2e

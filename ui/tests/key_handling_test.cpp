#include "ui/key_handling.h"

#include <gtest/gtest.h>

namespace veskora {
namespace {

struct KeyCase {
    int line;
    unsigned key;
    Modifiers modifiers;
    KeyAction action;
};

constexpr Modifiers kNone{false, false, false};
constexpr Modifiers kShift{true, false, false};
constexpr Modifiers kCtrl{false, true, false};
constexpr Modifiers kAlt{false, false, true};
constexpr Modifiers kCtrlShift{true, true, false};

constexpr unsigned kSpace = 0x20;
constexpr unsigned kLeft = 0x25;
constexpr unsigned kDown = 0x28;
constexpr unsigned kLetterA = 0x41;
constexpr unsigned kF4 = 0x73;

const KeyCase kKeyCases[] = {
    {__LINE__, kKeyTab, kNone, KeyAction::FocusNext},
    {__LINE__, kKeyTab, kShift, KeyAction::FocusPrevious},
    {__LINE__, kKeyTab, kCtrl, KeyAction::PassOn},
    {__LINE__, kKeyTab, kCtrlShift, KeyAction::PassOn},
    {__LINE__, kKeyTab, kAlt, KeyAction::PassOn},
    {__LINE__, kKeyEscape, kNone, KeyAction::CloseWindow},
    {__LINE__, kKeyEscape, kShift, KeyAction::PassOn},
    {__LINE__, kKeyEscape, kCtrl, KeyAction::PassOn},
    // Enter reaches the control, but as no character.
    {__LINE__, kKeyEnter, kNone, KeyAction::PassOnSilently},
    {__LINE__, kKeyEnter, kCtrl, KeyAction::PassOn},
    {__LINE__, kKeyF1, kNone, KeyAction::Swallow},
    {__LINE__, kKeyF1, kShift, KeyAction::PassOn},
    // Arrows never move the focus; Space goes to the control (a button clicks).
    {__LINE__, kLeft, kNone, KeyAction::PassOn},
    {__LINE__, kDown, kNone, KeyAction::PassOn},
    {__LINE__, kSpace, kNone, KeyAction::PassOn},
    {__LINE__, kLetterA, kNone, KeyAction::PassOn},
    {__LINE__, kLetterA, kCtrl, KeyAction::PassOn},
    {__LINE__, kF4, kAlt, KeyAction::PassOn},  // Alt+F4 is the system's
};

TEST(WindowKeys, ActionForEachKey) {
    for (const KeyCase& row : kKeyCases) {
        EXPECT_EQ(ClassifyKey(row.key, row.modifiers), row.action) << "row at line " << row.line;
    }
}

struct CycleCase {
    int line;
    std::size_t count;
    std::size_t current;
    bool forward;
    std::size_t next;
};

const CycleCase kCycleCases[] = {
    // The four tab stops: 编辑框1, 编辑框2, 编辑框3, 按钮1.
    {__LINE__, 4, 0, true, 1},
    {__LINE__, 4, 2, true, 3},
    {__LINE__, 4, 3, true, 0},   // after 按钮1 comes 编辑框1
    {__LINE__, 4, 0, false, 3},  // before 编辑框1 comes 按钮1
    {__LINE__, 4, 3, false, 2},
    // The focus is on no control of the cycle.
    {__LINE__, 4, kNotInCycle, true, 0},
    {__LINE__, 4, kNotInCycle, false, 3},
    {__LINE__, 1, 0, true, 0},
    {__LINE__, 1, 0, false, 0},
    {__LINE__, 0, kNotInCycle, true, kNotInCycle},
    {__LINE__, 0, kNotInCycle, false, kNotInCycle},
};

TEST(WindowKeys, TabCycleWraps) {
    for (const CycleCase& row : kCycleCases) {
        EXPECT_EQ(NextInCycle(row.count, row.current, row.forward), row.next)
            << "row at line " << row.line;
    }
}

}  // namespace
}  // namespace veskora

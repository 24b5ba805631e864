#include "ui/window_description.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veskora {
namespace {

const WindowDescription& MainWindow() {
    const WindowDescription* window =
        FindWindowDescription(BuiltInWindowDescriptions(), kMainWindowId);
    EXPECT_NE(window, nullptr);
    return *window;
}

struct ExpectedControl {
    int line;
    std::uint32_t id;
    std::u16string name;
    ControlKind kind;
    int left, top, width, height;
    std::u16string text;
    bool tabStop;
    InputMode inputMode;
    int childId;  // what the end-to-end tests find with GetDlgCtrlID
};

// The controls in the order of the list, as the window shows them.
const ExpectedControl kExpectedControls[] = {
    {__LINE__, 0x16010011, u"标签4", ControlKind::Label, 240, 56, 16, 24, u"mm", false,
     InputMode::AnyText, 0x0011},
    {__LINE__, 0x16010010, u"按钮1", ControlKind::Button, 264, 48, 80, 32, u"计算", true,
     InputMode::AnyText, 0x0010},
    {__LINE__, 0x1601000F, u"编辑框3", ControlKind::EditBox, 152, 104, 192, 20, u"", true,
     InputMode::AnyText, 0x000F},
    {__LINE__, 0x1601000E, u"标签3", ControlKind::Label, 80, 104, 56, 24, u"输出结果", false,
     InputMode::AnyText, 0x000E},
    {__LINE__, 0x1601000D, u"编辑框2", ControlKind::EditBox, 152, 56, 80, 20, u"21", true,
     InputMode::DecimalNumber, 0x000D},
    {__LINE__, 0x1601000C, u"标签2", ControlKind::Label, 72, 56, 64, 24, u"同步轮直径", false,
     InputMode::AnyText, 0x000C},
    {__LINE__, 0x16010008, u"标签1", ControlKind::Label, 24, 15, 112, 24, u"转动一圈的脉冲个数",
     false, InputMode::AnyText, 0x0008},
    {__LINE__, 0x16010007, u"编辑框1", ControlKind::EditBox, 152, 16, 80, 20, u"12800", true,
     InputMode::DecimalNumber, 0x0007},
};

TEST(WindowDescription, WindowProperties) {
    const WindowDescription& window = MainWindow();
    EXPECT_EQ(window.id, 0x52010001u);
    EXPECT_EQ(window.ownEntryId, 0x06010000u);
    EXPECT_EQ(std::u16string_view(window.caption), u"Veskora");
    EXPECT_EQ(window.placement.left, 50);
    EXPECT_EQ(window.placement.top, 50);
    EXPECT_EQ(window.placement.width, 380);
    EXPECT_EQ(window.placement.height, 181);
}

TEST(WindowDescription, ControlsInTheOrderOfTheList) {
    const WindowDescription& window = MainWindow();
    ASSERT_EQ(window.controls.size(), std::size(kExpectedControls));
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const ExpectedControl& row = kExpectedControls[i];
        const ControlDescription& control = window.controls[i];
        SCOPED_TRACE(testing::Message() << "row at line " << row.line);
        EXPECT_EQ(control.id, row.id);
        EXPECT_EQ(std::u16string_view(control.name), row.name);
        EXPECT_EQ(control.kind, row.kind);
        EXPECT_EQ(control.placement.left, row.left);
        EXPECT_EQ(control.placement.top, row.top);
        EXPECT_EQ(control.placement.width, row.width);
        EXPECT_EQ(control.placement.height, row.height);
        EXPECT_EQ(std::u16string_view(control.text), row.text);
        EXPECT_EQ(control.tabStop, row.tabStop);
        EXPECT_EQ(control.inputMode, row.inputMode);
        EXPECT_TRUE(control.visible);
        EXPECT_TRUE(control.enabled);
        EXPECT_EQ(ChildId(control.id), row.childId);
    }
}

std::vector<std::u16string> CreationOrder(const WindowDescription& window) {
    std::vector<std::u16string> names;
    for (std::size_t n = 0; n < window.controls.size(); ++n) {
        names.emplace_back(window.controls[CreationIndex(window, n)].name);
    }
    return names;
}

TEST(WindowDescription, CreatedFromTheLastEntryUp) {
    const std::vector<std::u16string> expected{u"编辑框1", u"标签1",   u"标签2", u"编辑框2",
                                               u"标签3",   u"编辑框3", u"按钮1", u"标签4"};
    EXPECT_EQ(CreationOrder(MainWindow()), expected);
}

TEST(WindowDescription, TabOrderIsTheCreationOrderOfTheTabStops) {
    const WindowDescription& window = MainWindow();
    std::vector<std::u16string> tabOrder;
    for (std::size_t n = 0; n < window.controls.size(); ++n) {
        const ControlDescription& control = window.controls[CreationIndex(window, n)];
        if (control.tabStop) tabOrder.emplace_back(control.name);
    }
    const std::vector<std::u16string> expected{u"编辑框1", u"编辑框2", u"编辑框3", u"按钮1"};
    EXPECT_EQ(tabOrder, expected);
}

TEST(WindowDescription, NamedControlsForTheClickProcedure) {
    const WindowDescription& window = MainWindow();
    const std::array<std::pair<std::uint32_t, std::u16string_view>, 4> named{{
        {kPulsesBoxId, u"编辑框1"},
        {kDiameterBoxId, u"编辑框2"},
        {kResultBoxId, u"编辑框3"},
        {kCalculateButtonId, u"按钮1"},
    }};
    for (const auto& [id, name] : named) {
        const ControlDescription* control = FindControlDescription(window, id);
        ASSERT_NE(control, nullptr) << std::hex << id;
        EXPECT_EQ(std::u16string_view(control->name), name);
    }
}

struct BindingCase {
    int line;
    std::uint32_t window;
    std::uint32_t control;
    std::int32_t event;
    bool bound;
};

const BindingCase kBindingCases[] = {
    {__LINE__, 0x52010001, 0x16010010, kEventClicked, true},  // the one binding
    {__LINE__, 0x52010001, 0x16010010, kEventFocusGained, false},
    {__LINE__, 0x52010001, 0x16010010, kEventFocusLost, false},
    {__LINE__, 0x52010001, 0x16010010, 1, false},
    {__LINE__, 0x52010001, 0x16010007, kEventContentChanged, false},
    {__LINE__, 0x52010001, 0x1601000D, kEventFocusLost, false},
    {__LINE__, 0x52010001, 0x1601000F, kEventContentChanged, false},
    {__LINE__, 0x52010001, 0x16010011, 0, false},
    {__LINE__, 0x52010001, 0x06010000, kEventCloseQuery, false},
    {__LINE__, 0x52010001, 0x06010000, kEventDestroyed, false},
    {__LINE__, 0x52010001, 0x06010000, 0, false},
    {__LINE__, 0x52010002, 0x16010010, kEventClicked, false},  // no such window
    {__LINE__, 0x52010001, 0x00000010, kEventClicked, false},  // only the full identifier counts
};

TEST(WindowDescription, OnlyTheClickOfTheButtonIsBound) {
    for (const BindingCase& row : kBindingCases) {
        const auto procedure =
            FindBinding(BuiltInWindowDescriptions(), row.window, row.control, row.event);
        EXPECT_EQ(procedure.has_value(), row.bound) << "row at line " << row.line;
        if (procedure) {
            EXPECT_EQ(*procedure, Procedure::Click) << "row at line " << row.line;
        }
    }
}

TEST(WindowDescription, BuiltInDescriptionReads) {
    const auto read = ReadWindowDescriptions();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->data(), BuiltInWindowDescriptions().data());
    EXPECT_EQ(read->size(), 1u);
}

struct DamageCase {
    int line;
    const char* what;
    std::function<void(std::vector<ControlDescription>&, WindowDescription&)> damage;
};

const EventBinding kStrayBinding[] = {{kEventClicked, Procedure::Click}};

const DamageCase kDamageCases[] = {
    {__LINE__, "nothing", [](auto&, auto&) {}},
    {__LINE__, "two controls with one id", [](auto& c, auto&) { c[1].id = c[0].id; }},
    {__LINE__, "ids equal in their low half",
     [](auto& c, auto&) { c[1].id = 0x26010000u | (c[0].id & 0xFFFFu); }},
    {__LINE__, "a control with the window's id", [](auto& c, auto& w) { c[3].id = w.id; }},
    {__LINE__, "a control with the window's own entry",
     [](auto& c, auto& w) { c[3].id = w.ownEntryId; }},
    {__LINE__, "a control without a name", [](auto& c, auto&) { c[2].name = nullptr; }},
    {__LINE__, "a control with an empty name", [](auto& c, auto&) { c[2].name = u""; }},
    {__LINE__, "a control without text", [](auto& c, auto&) { c[5].text = nullptr; }},
    {__LINE__, "a control of no width", [](auto& c, auto&) { c[4].placement.width = 0; }},
    {__LINE__, "a control of negative height", [](auto& c, auto&) { c[4].placement.height = -1; }},
    {__LINE__, "a binding on a label", [](auto& c, auto&) { c[0].bindings = kStrayBinding; }},
    {__LINE__, "a button taking numbers",
     [](auto& c, auto&) { c[1].inputMode = InputMode::DecimalNumber; }},
    {__LINE__, "a window without caption", [](auto&, auto& w) { w.caption = nullptr; }},
    {__LINE__, "a window of no height", [](auto&, auto& w) { w.placement.height = 0; }},
    {__LINE__, "a window without controls", [](auto& c, auto&) { c.clear(); }},
};

TEST(WindowDescription, DamagedCopiesDoNotRead) {
    for (const DamageCase& row : kDamageCases) {
        const WindowDescription& original = MainWindow();
        std::vector<ControlDescription> controls(original.controls.begin(),
                                                 original.controls.end());
        WindowDescription window = original;
        row.damage(controls, window);
        window.controls = controls;
        const bool intact = std::string_view(row.what) == "nothing";
        EXPECT_EQ(IsWellFormed(window), intact) << row.what << ", row at line " << row.line;
    }
}

struct HeightCase {
    int line;
    int stored;
    int lineHeight;
    int edge;
    int height;
};

const HeightCase kHeightCases[] = {
    {__LINE__, 20, 13, 2, 20},  // the default font fits the stored height
    {__LINE__, 20, 16, 2, 20},  // exactly one line and two edges
    {__LINE__, 20, 17, 2, 21}, {__LINE__, 20, 24, 2, 28},  // a large font makes the box taller
    {__LINE__, 10, 13, 2, 17},
};

TEST(WindowDescription, EditBoxHoldsAtLeastOneLine) {
    for (const HeightCase& row : kHeightCases) {
        EXPECT_EQ(EditBoxHeight(row.stored, row.lineHeight, row.edge), row.height)
            << "row at line " << row.line;
    }
}

}  // namespace
}  // namespace veskora

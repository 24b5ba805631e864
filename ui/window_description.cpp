#include "ui/window_description.h"

#include <array>

namespace veskora {
namespace {

constexpr std::array kButtonBindings{EventBinding{kEventClicked, Procedure::Click}};

// The controls in the order of the list; the window creates them from the
// last row up and stacks the first row on top.
constexpr std::array kMainWindowControls{
    ControlDescription{0x16010011,
                       u"标签4",
                       ControlKind::Label,
                       {240, 56, 16, 24},
                       u"mm",
                       true,
                       true,
                       false,
                       InputMode::AnyText,
                       {}},
    ControlDescription{kCalculateButtonId,
                       u"按钮1",
                       ControlKind::Button,
                       {264, 48, 80, 32},
                       u"计算",
                       true,
                       true,
                       true,
                       InputMode::AnyText,
                       kButtonBindings},
    ControlDescription{kResultBoxId,
                       u"编辑框3",
                       ControlKind::EditBox,
                       {152, 104, 192, 20},
                       u"",
                       true,
                       true,
                       true,
                       InputMode::AnyText,
                       {}},
    ControlDescription{0x1601000E,
                       u"标签3",
                       ControlKind::Label,
                       {80, 104, 56, 24},
                       u"输出结果",
                       true,
                       true,
                       false,
                       InputMode::AnyText,
                       {}},
    ControlDescription{kDiameterBoxId,
                       u"编辑框2",
                       ControlKind::EditBox,
                       {152, 56, 80, 20},
                       u"21",
                       true,
                       true,
                       true,
                       InputMode::DecimalNumber,
                       {}},
    ControlDescription{0x1601000C,
                       u"标签2",
                       ControlKind::Label,
                       {72, 56, 64, 24},
                       u"同步轮直径",
                       true,
                       true,
                       false,
                       InputMode::AnyText,
                       {}},
    ControlDescription{0x16010008,
                       u"标签1",
                       ControlKind::Label,
                       {24, 15, 112, 24},
                       u"转动一圈的脉冲个数",
                       true,
                       true,
                       false,
                       InputMode::AnyText,
                       {}},
    ControlDescription{kPulsesBoxId,
                       u"编辑框1",
                       ControlKind::EditBox,
                       {152, 16, 80, 20},
                       u"12800",
                       true,
                       true,
                       true,
                       InputMode::DecimalNumber,
                       {}},
};

constexpr std::array kWindows{
    WindowDescription{
        kMainWindowId, 0x06010000, u"Veskora", {50, 50, 380, 181}, kMainWindowControls},
};

bool IsPresent(const char16_t* text) {
    return text != nullptr;
}

bool IsWellFormed(const ControlDescription& control) {
    if (!IsPresent(control.name) || control.name[0] == u'\0' || !IsPresent(control.text)) {
        return false;
    }
    if (control.placement.width <= 0 || control.placement.height <= 0) return false;
    // Labels raise no events, so a binding on one could never run.
    if (control.kind == ControlKind::Label && !control.bindings.empty()) return false;
    if (control.kind != ControlKind::EditBox && control.inputMode != InputMode::AnyText) {
        return false;
    }
    return true;
}

}  // namespace

std::span<const WindowDescription> BuiltInWindowDescriptions() {
    return kWindows;
}

std::optional<std::span<const WindowDescription>> ReadWindowDescriptions() {
    const auto windows = BuiltInWindowDescriptions();
    for (const WindowDescription& window : windows) {
        if (!IsWellFormed(window)) return std::nullopt;
    }
    return windows;
}

bool IsWellFormed(const WindowDescription& window) {
    if (!IsPresent(window.caption) || window.controls.empty()) return false;
    if (window.placement.width <= 0 || window.placement.height <= 0) return false;
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        const ControlDescription& control = window.controls[i];
        if (!IsWellFormed(control)) return false;
        if (control.id == window.id || control.id == window.ownEntryId) return false;
        // Windows knows a child only by the low half of its identifier.
        for (std::size_t j = 0; j < i; ++j) {
            if (ChildId(window.controls[j].id) == ChildId(control.id)) return false;
        }
    }
    return true;
}

const WindowDescription* FindWindowDescription(std::span<const WindowDescription> windows,
                                               std::uint32_t id) {
    for (const WindowDescription& window : windows) {
        if (window.id == id) return &window;
    }
    return nullptr;
}

const ControlDescription* FindControlDescription(const WindowDescription& window,
                                                 std::uint32_t id) {
    for (const ControlDescription& control : window.controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

std::optional<Procedure> FindBinding(std::span<const WindowDescription> windows,
                                     std::uint32_t window, std::uint32_t control,
                                     std::int32_t event) {
    const WindowDescription* found = FindWindowDescription(windows, window);
    if (found == nullptr) return std::nullopt;
    // The window's own entry has no bindings in this program.
    const ControlDescription* entry = FindControlDescription(*found, control);
    if (entry == nullptr) return std::nullopt;
    for (const EventBinding& binding : entry->bindings) {
        if (binding.event == event) return binding.procedure;
    }
    return std::nullopt;
}

}  // namespace veskora

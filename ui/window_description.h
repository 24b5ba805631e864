// The built-in description of the main window: its own properties and the
// list of its controls, as data. The window is built from this table, and
// events are looked up in its bindings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace veskora {

enum class ControlKind { EditBox, Label, Button };

// What a box lets the user type, and whether it tidies its number.
enum class InputMode { AnyText, DecimalNumber };

// The procedures that an event can be bound to.
enum class Procedure { Click };

// Event numbers as RaiseEvent receives them.
inline constexpr std::int32_t kEventClicked = 0;
inline constexpr std::int32_t kEventContentChanged = 0;
inline constexpr std::int32_t kEventFocusGained = -7;
inline constexpr std::int32_t kEventFocusLost = -8;
// Events of the window itself, raised with its own entry as the control.
inline constexpr std::int32_t kEventCloseQuery = 1;
inline constexpr std::int32_t kEventDestroyed = 2;

struct Placement {
    int left;
    int top;
    int width;
    int height;
};

struct EventBinding {
    std::int32_t event;
    Procedure procedure;
};

struct ControlDescription {
    std::uint32_t id;
    const char16_t* name;
    ControlKind kind;
    Placement placement;
    const char16_t* text;
    bool visible;
    bool enabled;
    bool tabStop;
    InputMode inputMode;
    std::span<const EventBinding> bindings;
};

struct WindowDescription {
    std::uint32_t id;
    std::uint32_t ownEntryId;  // the control identifier of the window's own events
    const char16_t* caption;
    Placement placement;  // position kept in the table; the window is centred instead
    std::span<const ControlDescription> controls;  // in the order of the list
};

inline constexpr std::uint32_t kMainWindowId = 0x52010001;
// The controls that the program itself reads, writes and clicks.
inline constexpr std::uint32_t kPulsesBoxId = 0x16010007;        // 编辑框1
inline constexpr std::uint32_t kDiameterBoxId = 0x1601000D;      // 编辑框2
inline constexpr std::uint32_t kResultBoxId = 0x1601000F;        // 编辑框3
inline constexpr std::uint32_t kCalculateButtonId = 0x16010010;  // 按钮1

// Every window description built into the program (there is one).
std::span<const WindowDescription> BuiltInWindowDescriptions();

// Reads the built-in descriptions; std::nullopt when one of them is not
// well formed, so that start-up can refuse to build from it.
std::optional<std::span<const WindowDescription>> ReadWindowDescriptions();

// Whether a description can be built from: identifiers unique within the
// window, names and texts present, sizes positive, bindings only on kinds
// that raise events.
bool IsWellFormed(const WindowDescription& window);

const WindowDescription* FindWindowDescription(std::span<const WindowDescription> windows,
                                               std::uint32_t id);
const ControlDescription* FindControlDescription(const WindowDescription& window, std::uint32_t id);

// The procedure bound to an event of a control of a window, if any.
std::optional<Procedure> FindBinding(std::span<const WindowDescription> windows,
                                     std::uint32_t window, std::uint32_t control,
                                     std::int32_t event);

// Controls are created from the last entry of the list up; this is the
// index into the list of the n-th control created.
inline std::size_t CreationIndex(const WindowDescription& window, std::size_t n) {
    return window.controls.size() - 1 - n;
}

// The control id Windows carries for a control: the low 16 bits.
inline constexpr int ChildId(std::uint32_t id) {
    return static_cast<int>(id & 0xFFFFu);
}

// The height an edit box is given at creation: at least one line of its
// font and twice the 3D edge.
inline constexpr int EditBoxHeight(int stored, int lineHeight, int edgeHeight) {
    const int least = lineHeight + 2 * edgeHeight;
    return stored < least ? least : stored;
}

}  // namespace veskora

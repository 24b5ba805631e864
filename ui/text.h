// A text as the program hands it around: GBK bytes with a terminating zero,
// owned by whoever received it. An absent text has no storage at all.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace veskora {

struct Text {
    std::unique_ptr<char[]> bytes;  // length + 1 bytes, or none when absent
    std::size_t length = 0;
};

// Storage for a text of length bytes (length + 1 with the terminator), all
// zero. The request goes to the program's allocation, which ends the
// program when it cannot be met.
Text MakeText(std::size_t length);

// Absent and zero-length texts both count as empty.
inline bool IsEmpty(const Text& text) {
    return text.bytes == nullptr || text.length == 0;
}

inline std::string_view View(const Text& text) {
    return text.bytes ? std::string_view(text.bytes.get(), text.length) : std::string_view();
}

// Gives the storage back; releasing an absent text does nothing.
inline void Release(Text& text) {
    text.bytes.reset();
    text.length = 0;
}

}  // namespace veskora

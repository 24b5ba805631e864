// The program writes its texts as UTF-16 literals; Windows takes them as
// wchar_t, which is the same 16-bit unit there.
#pragma once

#include <windows.h>

namespace veskora {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows texts are UTF-16");

inline const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

// The system code page of the texts the calculation reads and writes,
// whatever the system's own ANSI code page is.
inline constexpr UINT kGbkCodePage = 936;

}  // namespace veskora

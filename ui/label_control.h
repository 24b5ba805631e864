// Labels: child windows that paint their own text and never take the focus.
#pragma once

#include <windows.h>

namespace veskora {

inline constexpr const wchar_t* kLabelClassName = L"VeskoraLabel";

// Registers the label class; false when the system refuses.
bool RegisterLabelClass(HINSTANCE instance);

}  // namespace veskora

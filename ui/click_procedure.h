// The procedure bound to the click of 按钮1.
#pragma once

#include <windows.h>

namespace veskora {

// Reads 编辑框1 and 编辑框2 of the window, asks for input when one is empty,
// and otherwise writes the pulses per millimetre into 编辑框3.
void RunClickProcedure(HWND window);

}  // namespace veskora

// The number boxes (编辑框1, 编辑框2): what they take as typed, and their
// tidying when the focus leaves them.
#pragma once

#include <windows.h>

#include "ui/control_state.h"

namespace veskora {

// Whether a typed UTF-16 unit goes on to the box.
bool NumberBoxTakes(WPARAM unit);

// Replaces the box's text by its number written again, when that differs.
void NormaliseNumberBox(ControlState& state);

}  // namespace veskora

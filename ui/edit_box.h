// The program's hold on the system's edit boxes: the one line of text kept
// vertically centred, and the number boxes' typing filter and tidying.
#pragma once

#include "ui/control_state.h"

namespace veskora {

// Subclasses a created box; call after its font has been set.
void AttachEditBox(ControlState& state);

}  // namespace veskora

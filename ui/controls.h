// Creating the window's controls from its description.
#pragma once

#include "ui/control_state.h"

namespace veskora {

// Creates every control, hidden, from the last entry of the list up, then
// stacks them with the first entry on top. False as soon as one cannot be
// created.
bool CreateControls(MainWindowState& window, HINSTANCE instance);

// Shows the controls that the description makes visible, activating none.
void ShowControls(const MainWindowState& window);

}  // namespace veskora

#pragma once
#include "toolkit/toolkit.h"

namespace tarvelo {

// The menu bar with its three titles and their image items. Without a menu
// bar (it could not be created) the program goes on without one.
void BuildMainMenu(toolkit::Toolkit& gui);

// Alt+X and Return, from the program's shortcut table.
void RegisterShortcuts(toolkit::Toolkit& gui);

} // namespace tarvelo

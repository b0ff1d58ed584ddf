#pragma once
#include "toolkit/toolkit.h"

#include <windows.h>

#include <string>

namespace tarvelo {

// The title that start-up sets, opened by the fish mark.
std::string WindowTitle();

// Builds the main window, its seven controls and status bar, and shows it.
// Yields the window's handle, or null when it could not be created.
HWND OpenMainWindow(toolkit::Toolkit& gui);

// The entries of the two drop-down lists, the first of each selected.
void FillSearchLists(toolkit::Toolkit& gui);

} // namespace tarvelo

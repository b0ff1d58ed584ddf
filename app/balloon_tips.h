#pragma once
// Balloon tooltips on the controls the user works with, at most one per
// control.
#include "toolkit/toolkit.h"

#include <windows.h>

#include <vector>

namespace tarvelo {

struct TipEntry {
    int window;
    int control;
    HWND tooltip; // null when it could not be made
};

using TipRegistry = std::vector<TipEntry>;

// Gives the control a balloon tip with text. Yields 1 when the registry
// already has one for this window and control (nothing is done), 0 after
// making the tooltip and recording it.
int AddBalloonTip(TipRegistry& tips, const toolkit::Toolkit& gui, int window, int control,
                  const char* text);

// The four tips of the main window, in their order.
void AttachBalloonTips(TipRegistry& tips, const toolkit::Toolkit& gui);

} // namespace tarvelo

#pragma once
// The message box that shows the fault report.
#include <string>

namespace tarvelo {

// Shows text in a modal MB_OK box captioned "OnError example", owned by the
// foreground window when it is this process's. While the box is open, the
// thread's other visible and enabled top-level windows are disabled and the
// topmost ones among them are no longer topmost; both come back when the box
// is dismissed.
void ShowReport(const std::string& text);

} // namespace tarvelo

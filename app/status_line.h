#pragma once
// The status bar along the bottom of the main window and the status line
// in its second field, through which every command reports its outcome.
#include "store/status.h"
#include "toolkit/toolkit.h"

namespace tarvelo {

// Creates the status bar on the main window with its icon field (20 pixels)
// and its text field (580 pixels).
void BuildStatusBar(toolkit::Toolkit& gui);

// BubbleIcon into the icon field, then the grey background.
void DecorateStatusBar(toolkit::Toolkit& gui);

class ProgramStatusLine final : public StatusLine {
  public:
    explicit ProgramStatusLine(toolkit::Toolkit& gui) : gui_(gui) {}
    void ShowStatus(int kind, std::string_view text) override;

  private:
    toolkit::Toolkit& gui_;
};

} // namespace tarvelo

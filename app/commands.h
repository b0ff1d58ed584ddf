#pragma once
// The commands that the event loop runs. Each runs to completion and
// reports its outcome in the status line.
namespace tarvelo {

struct Application;

void ImportPostcodeFile(Application& app);
void RunSearch(Application& app);
void CopySelection(Application& app);

// The three boxes of the Help menu, modal over the main window.
void ShowAbout(const Application& app);
void ShowKeysList(const Application& app);
void ShowHelp(const Application& app);

} // namespace tarvelo

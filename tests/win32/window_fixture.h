#pragma once
// Builds the real main window through the real start-up in a fresh working
// folder, feeds it input as messages through the real event wait, and takes
// it down again.
#include "app/application.h"
#include "app/ids.h"
#include "program_runner.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tarvelo_test {

class MainWindowTest : public ::testing::Test {
  public:
    // The styles each child window of the main window was created with, as
    // asked for (controls may hand some to their parts afterwards).
    struct Created {
        DWORD style;
        DWORD exStyle;
    };
    static std::map<int, Created>& CreatedControls();

  protected:
    void SetUp() override;
    void TearDown() override;

    tarvelo::Application& app() { return tarvelo::App(); }
    HWND window() { return app().gui.WindowHandle(tarvelo::MainWindow); }
    HWND control(int number) { return app().gui.ControlHandle(tarvelo::MainWindow, number); }
    HWND statusBar() { return app().gui.StatusBarHandle(tarvelo::MainStatusBar); }
    std::string StatusText();

    // Hands every message already waiting, and every event they raise, to
    // the event wait, and yields the events that the loop would act on
    // (close requests, commands and control events), without running them.
    std::vector<toolkit::Event> PumpEvents();
    // PumpEvents, with each event also run through the real dispatch.
    std::vector<toolkit::Event> PumpAndDispatch();

    // Presses a key on the focused control as the keyboard would, with the
    // given modifier keys held (VK_SHIFT, VK_CONTROL, VK_MENU).
    // Yields the program events it raised, as PumpEvents does.
    std::vector<toolkit::Event> PressKey(UINT key, std::vector<UINT> modifiers = {},
                                         bool extended = false);

    std::unique_ptr<TempFolder> folder_;
    std::string previousDirectory_;
};

// Waits, on another thread, for a top-level window of this process with the
// given caption, and yields its text once it has pressed its OK button.
class BoxCloser {
  public:
    explicit BoxCloser(std::string caption);
    ~BoxCloser();
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;
    std::string Text(); // joins the thread
    HWND Owner();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tarvelo_test

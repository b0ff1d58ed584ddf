// The event loop: one event at a time, each dispatched by the table below.
#include "app/application.h"
#include "app/commands.h"
#include "app/ids.h"

namespace tarvelo {

void Dispatch(Application& app, const toolkit::Event& event) {
    switch (event.kind) {
    case toolkit::EventCloseRequest:
        if (event.window == MainWindow) {
            app.quitRequested = 1;
        }
        break;
    case toolkit::EventCommand:
        switch (event.command) {
        case ShortcutQuit:
        case MenuExit:
            app.quitRequested = 1;
            break;
        case MenuUpdateDatabase:
            ImportPostcodeFile(app);
            break;
        case ShortcutSearch:
            RunSearch(app);
            break;
        case MenuCopyPostcode:
            CopySelection(app);
            break;
        case MenuAbout:
            ShowAbout(app);
            break;
        case MenuKeysList:
            ShowKeysList(app);
            break;
        case MenuHelp:
            ShowHelp(app);
            break;
        default:
            break;
        }
        break;
    case toolkit::EventControl:
        if (event.control == ResultList && event.type == toolkit::ControlLeftDoubleClick) {
            CopySelection(app);
        }
        break;
    default:
        break;
    }
}

void RunEventLoop(Application& app) {
    app.quitRequested = 0;
    while (app.quitRequested == 0) {
        Dispatch(app, app.gui.WaitForEvent());
    }
}

} // namespace tarvelo

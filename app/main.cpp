// Tarvelo's entry routine: start-up, the event loop, and the end.
#include "app/application.h"
#include "app/ids.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tarvelo::Application& app = tarvelo::App();
    if (tarvelo::StartUp(app)) {
        tarvelo::RunEventLoop(app);
        app.gui.CloseWindow(tarvelo::MainWindow);
    }
    tarvelo::EndProgram();
}

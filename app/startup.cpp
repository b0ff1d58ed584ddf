// Start-up in its fixed order, and the shutdown that every end goes through.
#include "app/application.h"
#include "app/ids.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "crash/fault_filter_win32.h"
#include "resources/icons.h"
#include "store/locations_win32.h"
#include "store/open_database_win32.h"
#include "store/record_count.h"

#include <sqlite3.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace tarvelo {

Application& App() {
    static Application app;
    return app;
}

bool StartUp(Application& app) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_HOTKEY_CLASS |
                                                        ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    InstallFaultFilter(&EndProgram);
    sqlite3_initialize();
    for (int image = TagIcon; image <= HelpIcon; ++image) {
        const resources::IcoFile file = resources::ImageIcoFile(image);
        app.gui.LoadImageFromIco(image, file.bytes, file.size);
    }
    app.tips.clear();
    app.locations = SetUpLocations();
    if (OpenMainWindow(app.gui) == nullptr) {
        return false;
    }
    app.database = OpenPostcodeDatabase(app.locations);
    app.gui.SetWindowTitle(MainWindow, WindowTitle());
    BuildMainMenu(app.gui);
    app.status.ShowStatus(StatusInfo, ReadyMessage(QueryText(app.database, kCountQuery)));
    RegisterShortcuts(app.gui);
    DecorateStatusBar(app.gui);
    AttachBalloonTips(app.tips, app.gui);
    FillSearchLists(app.gui);
    app.gui.ActivateWindow(MainWindow);
    app.gui.FocusControl(MainWindow, SearchTextBox);
    return true;
}

void ShutDown(Application& app) {
    RemoveFaultFilter();
    app.gui.CloseAllWindows();
    app.gui.ReleaseImagesAndFonts();
    app.openFile.reset();
    CloseConnection(app.database);
}

void EndProgram() {
    ShutDown(App());
    ExitProcess(0);
}

} // namespace tarvelo

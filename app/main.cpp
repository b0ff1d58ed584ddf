// Tarvelo's entry routine.
#include "store/database.h"
#include "store/locations_win32.h"
#include "store/open_database_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_HOTKEY_CLASS |
                                                        ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    const tarvelo::Locations locations = tarvelo::SetUpLocations();
    tarvelo::DatabaseConnection connection = tarvelo::OpenPostcodeDatabase(locations);
    tarvelo::CloseConnection(connection);
    ExitProcess(0);
}

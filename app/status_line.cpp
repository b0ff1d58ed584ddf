#include "app/status_line.h"

#include "app/ids.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace tarvelo {

void BuildStatusBar(toolkit::Toolkit& gui) {
    gui.CreateStatusBar(MainStatusBar, MainWindow, 18);
    gui.AddStatusField(MainStatusBar, 20);
    gui.AddStatusField(MainStatusBar, 580);
}

void DecorateStatusBar(toolkit::Toolkit& gui) {
    gui.SetStatusFieldImage(MainStatusBar, 0, gui.ImageHandle(BubbleIcon));
    if (HWND bar = gui.StatusBarHandle(MainStatusBar)) {
        // A visual style paints the bar in its own colours and ignores the
        // background colour; the bar is drawn unthemed so that its grey shows.
        // (A class list that names no class turns the style off; Wine
        // refuses an empty one.)
        SetWindowTheme(bar, L" ", L" ");
        SendMessageA(bar, CCM_SETBKCOLOR, 0, RGB(192, 192, 192));
    }
}

void ProgramStatusLine::ShowStatus(int kind, std::string_view text) {
    std::string message;
    if (kind == StatusInfo) {
        message = "Info: ";
    } else if (kind == StatusError) {
        message = "Error: ";
    } else {
        return;
    }
    message += text;
    gui_.SetStatusFieldText(MainStatusBar, 1, message, SBT_NOBORDERS);
}

} // namespace tarvelo

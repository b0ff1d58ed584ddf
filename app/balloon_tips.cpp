#include "app/balloon_tips.h"

#include "app/ids.h"

#include <commctrl.h>

namespace tarvelo {

int AddBalloonTip(TipRegistry& tips, const toolkit::Toolkit& gui, int window, int control,
                  const char* text) {
    for (const TipEntry& entry : tips) {
        if (entry.window == window && entry.control == control) {
            return 1;
        }
    }
    HWND owner = gui.WindowHandle(window);
    HWND tool = gui.ControlHandle(window, control);
    HWND tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_BALLOON | TTS_NOPREFIX, 0,
                                   0, 0, 0, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(tooltip, TTM_SETTIPTEXTCOLOR, RGB(0, 0, 0), 0);
    SendMessageA(tooltip, TTM_SETTIPBKCOLOR, RGB(10, 140, 245), 0);
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 290);

    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE; // 44 bytes: up to and with lParam
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tooltip, TTM_UPDATE, 0, 0);
    tips.push_back({window, control, tooltip});
    return 0;
}

void AttachBalloonTips(TipRegistry& tips, const toolkit::Toolkit& gui) {
    AddBalloonTip(tips, gui, MainWindow, ResultList,
                  "Double left click on a postcode in the list if any and it will be copied to "
                  "the system clipboard.\r\n\r\nPress ALT + X for a speedy exit.");
    AddBalloonTip(tips, gui, MainWindow, OperatorBox,
                  "Select the SQL search expression to use in the search.");
    AddBalloonTip(tips, gui, MainWindow, FieldBox,
                  "Select the field in which to search.\r\n\r\nYou have (All fields), Postcode, "
                  "Suburb and State.");
    AddBalloonTip(tips, gui, MainWindow, SearchTextBox,
                  "Start typing your search text in here and press ENTER to perform the search.");
}

} // namespace tarvelo

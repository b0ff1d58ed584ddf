// The main window: a framed result list above a framed row of search
// controls, in a fixed 600 x 480 client area.
#include "app/main_window.h"

#include "app/ids.h"
#include "app/status_line.h"
#include "search/clipboard_line.h"

#include <commctrl.h>

namespace tarvelo {
namespace {

constexpr int kFontPoints = 11;
constexpr const char* kFontFace = "Arial";

constexpr const char* kOperators[] = {"Sounds like",
                                      "Equal to",
                                      "Does not equal",
                                      "Greater than",
                                      "Greater than or equal to",
                                      "Less than",
                                      "Less than or equal to",
                                      "Starts with",
                                      "Ends with"};
constexpr const char* kFields[] = {"All fields", "Postcode", "Suburb", "State"};

void AddControlWithFont(toolkit::Toolkit& gui, const toolkit::ControlSpec& spec) {
    gui.AddControl(MainWindow, spec);
    gui.CreateFontNumbered(spec.number, kFontFace, kFontPoints);
    gui.ApplyFont(MainWindow, spec.number, spec.number);
}

} // namespace

std::string WindowTitle() {
    return std::string(kFishMark) + "Search the Australian postcode database";
}

HWND OpenMainWindow(toolkit::Toolkit& gui) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto appIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    auto smallIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, LR_SHARED));
    HWND window = gui.OpenWindow(MainWindow, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 600, 480,
                                 appIcon, smallIcon);
    if (window == nullptr) {
        return nullptr;
    }
    constexpr DWORD kDropDown = CBS_DROPDOWNLIST | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
    gui.AddControl(MainWindow, {ResultsFrame, "Button", "", BS_GROUPBOX, 0, 5, 0, 590, 365});

    gui.AddControl(MainWindow, {ResultList, WC_LISTVIEWA, "",
                                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                    LVS_SHAREIMAGELISTS | WS_TABSTOP,
                                WS_EX_CLIENTEDGE, 15, 15, 570, 340});
    if (HWND list = gui.ControlHandle(MainWindow, ResultList)) {
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                     LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    }
    gui.AddListColumn(MainWindow, ResultList, "Postcode", 100);
    gui.AddListColumn(MainWindow, ResultList, "Suburb", 304);
    gui.AddListColumn(MainWindow, ResultList, "State", 162);
    gui.CreateFontNumbered(ResultList, kFontFace, kFontPoints);
    gui.ApplyFont(MainWindow, ResultList, ResultList);

    gui.AddControl(MainWindow, {SearchFrame, "Button", "", BS_GROUPBOX, 0, 5, 365, 590, 70});
    AddControlWithFont(gui, {SearchCaption, "Static",
                             " Search Type...               Search Field...               "
                             "Search Text...",
                             SS_LEFT, 0, 15, 380, 570, 20});
    AddControlWithFont(gui, {OperatorBox, "ComboBox", "", kDropDown, 0, 15, 400, 155, 350});
    AddControlWithFont(gui, {FieldBox, "ComboBox", "", kDropDown, 0, 170, 400, 155, 350});
    AddControlWithFont(gui, {SearchTextBox, "Edit", "", ES_AUTOHSCROLL | WS_TABSTOP,
                             WS_EX_CLIENTEDGE, 325, 400, 260, 26});
    BuildStatusBar(gui);
    gui.ShowWindowNormal(MainWindow);
    return window;
}

void FillSearchLists(toolkit::Toolkit& gui) {
    for (const char* label : kOperators) {
        gui.AddComboEntry(MainWindow, OperatorBox, label);
    }
    gui.SelectComboEntry(MainWindow, OperatorBox, 0);
    for (const char* field : kFields) {
        gui.AddComboEntry(MainWindow, FieldBox, field);
    }
    gui.SelectComboEntry(MainWindow, FieldBox, 0);
}

} // namespace tarvelo

// The main window as start-up leaves it, asserted through the controls' own
// messages, and the keys and commands that reach the event loop.
#include "window_fixture.h"

#include "app/balloon_tips.h"
#include "app/main_window.h"
#include "store/status.h"

#include <commctrl.h>

#include <cstring>

using namespace tarvelo_test;
using tarvelo::MainWindow;

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool HasCommand(const std::vector<toolkit::Event>& events, int command) {
    for (const auto& event : events) {
        if (event.kind == toolkit::EventCommand && event.command == command) {
            return true;
        }
    }
    return false;
}

int CommandCount(const std::vector<toolkit::Event>& events) {
    int count = 0;
    for (const auto& event : events) {
        count += event.kind == toolkit::EventCommand ? 1 : 0;
    }
    return count;
}

} // namespace

TEST_F(MainWindowTest, WindowHasItsClassTitleStyleAndSize) {
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(ClassOf(window()), "WindowClass_1");
    const std::string title = WindowText(window());
    EXPECT_EQ(title.size(), 51u);
    EXPECT_EQ(title, "<\xB0)))o><\xB2\xB3  Search the Australian postcode database");
    EXPECT_EQ(GetClassLongA(window(), GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
    EXPECT_NE(GetClassLongPtrA(window(), GCLP_HICON), 0);

    const auto style = static_cast<DWORD>(GetWindowLongA(window(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(GetParent(window()), nullptr);
    EXPECT_EQ(GetWindow(window(), GW_OWNER), nullptr);

    // The outer size is that of a 600 x 480 client area without menu bar;
    // attaching the menu bar took its height off the client area.
    RECT expected{0, 0, 600, 480};
    AdjustWindowRectEx(&expected, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0);
    RECT outer;
    GetWindowRect(window(), &outer);
    EXPECT_EQ(outer.right - outer.left, expected.right - expected.left);
    EXPECT_EQ(outer.bottom - outer.top, expected.bottom - expected.top);
    RECT client;
    GetClientRect(window(), &client);
    EXPECT_EQ(client.right, 600);
    RECT withMenu{0, 0, 0, 0};
    AdjustWindowRectEx(&withMenu, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE, 0);
    EXPECT_EQ(client.bottom, (outer.bottom - outer.top) - (withMenu.bottom - withMenu.top));
    EXPECT_LT(client.bottom, 480);

    // Centred on the screen.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (screenHeight - (outer.bottom - outer.top)) / 2);
}

struct ControlCase {
    int number;
    const char* className;
    DWORD style; // bits that must be set
    DWORD exStyle;
    int x, y, width, height; // height 0: not checked (drop-down lists)
};

class ControlLayout : public MainWindowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlLayout, HasItsClassStylesAndPlace) {
    const ControlCase& c = GetParam();
    HWND hwnd = control(c.number);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(ClassOf(hwnd), c.className);
    EXPECT_EQ(GetDlgCtrlID(hwnd), c.number);
    EXPECT_EQ(GetParent(hwnd), window());
    // The styles asked for at creation: a combo box hands its border and
    // scroll bar styles on to its list, which drops the scroll bar while
    // every entry fits.
    ASSERT_EQ(CreatedControls().count(c.number), 1u);
    const Created created = CreatedControls()[c.number];
    EXPECT_EQ(created.style & (c.style | WS_CHILD | WS_VISIBLE), c.style | WS_CHILD | WS_VISIBLE)
        << std::hex << created.style;
    EXPECT_EQ(created.exStyle & c.exStyle, c.exStyle);
    if (c.className == std::string("ComboBox")) {
        EXPECT_EQ(created.style & CBS_SORT, 0u);
    }
    const RECT rect = ClientRectOf(hwnd);
    EXPECT_EQ(rect.left, c.x);
    EXPECT_EQ(rect.top, c.y);
    EXPECT_EQ(rect.right - rect.left, c.width);
    if (c.height != 0) {
        EXPECT_EQ(rect.bottom - rect.top, c.height);
    } else {
        // A closed drop-down list is one text line high and stays in its frame.
        EXPECT_LE(rect.bottom, 435);
        EXPECT_GE(rect.bottom - rect.top, 18);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlLayout,
    ::testing::Values(ControlCase{tarvelo::ResultsFrame, "Button", BS_GROUPBOX, 0, 5, 0, 590, 365},
                      ControlCase{tarvelo::ResultList, "SysListView32",
                                  LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                      LVS_SHAREIMAGELISTS | WS_TABSTOP,
                                  WS_EX_CLIENTEDGE, 15, 15, 570, 340},
                      ControlCase{tarvelo::SearchFrame, "Button", BS_GROUPBOX, 0, 5, 365, 590, 70},
                      ControlCase{tarvelo::SearchCaption, "Static", SS_LEFT, 0, 15, 380, 570, 20},
                      ControlCase{tarvelo::OperatorBox, "ComboBox",
                                  CBS_DROPDOWNLIST | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 0, 15,
                                  400, 155, 0},
                      ControlCase{tarvelo::FieldBox, "ComboBox",
                                  CBS_DROPDOWNLIST | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 0, 170,
                                  400, 155, 0},
                      ControlCase{tarvelo::SearchTextBox, "Edit", ES_AUTOHSCROLL | WS_TABSTOP,
                                  WS_EX_CLIENTEDGE, 325, 400, 260, 26}));

TEST_F(MainWindowTest, ControlsAreCreatedInTabOrder) {
    const int expected[] = {10, 11, 12, 13, 14, 15, 16};
    HWND child = GetWindow(window(), GW_CHILD);
    for (int number : expected) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), number);
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

TEST_F(MainWindowTest, ControlsUseArialElevenPoint) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(11, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (int number : {11, 13, 14, 15, 16}) {
        auto font = reinterpret_cast<HFONT>(SendMessageA(control(number), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << number;
        LOGFONTA logFont{};
        ASSERT_NE(GetObjectA(font, sizeof(logFont), &logFont), 0);
        EXPECT_STREQ(logFont.lfFaceName, "Arial") << number;
        EXPECT_EQ(logFont.lfHeight, height) << number;
        EXPECT_EQ(logFont.lfWeight, FW_NORMAL) << number;
        EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);
        EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    }
    // Each control has a font object of its own.
    EXPECT_NE(SendMessageA(control(14), WM_GETFONT, 0, 0),
              SendMessageA(control(15), WM_GETFONT, 0, 0));
    for (int frame : {10, 12}) {
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(control(frame), WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
    }
}

TEST_F(MainWindowTest, ResultListHasThreeColumnsAndNoRows) {
    const char* headings[] = {"Postcode", "Suburb", "State"};
    const int widths[] = {100, 304, 162};
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        ASSERT_TRUE(
            SendMessageA(control(11), LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, headings[i]);
        EXPECT_EQ(column.cx, widths[i]);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    EXPECT_EQ(SendMessageA(control(11), LVM_GETITEMCOUNT, 0, 0), 0);
    const auto extended = SendMessageA(control(11), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER),
              LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP), 0);
}

TEST_F(MainWindowTest, SearchControlsStartFilledAndSelected) {
    const std::vector<std::string> operators = {"Sounds like",
                                                "Equal to",
                                                "Does not equal",
                                                "Greater than",
                                                "Greater than or equal to",
                                                "Less than",
                                                "Less than or equal to",
                                                "Starts with",
                                                "Ends with"};
    const std::vector<std::string> fields = {"All fields", "Postcode", "Suburb", "State"};
    auto entries = [](HWND combo) {
        std::vector<std::string> texts;
        const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[64] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    };
    EXPECT_EQ(entries(control(14)), operators);
    EXPECT_EQ(entries(control(15)), fields);
    EXPECT_EQ(SendMessageA(control(14), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(control(15), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowText(control(14)), "Sounds like");
    EXPECT_EQ(WindowText(control(15)), "All fields");
    EXPECT_EQ(WindowText(control(16)), "");
    EXPECT_EQ(WindowText(control(13)),
              " Search Type...               Search Field...               Search Text...");
    EXPECT_EQ(GetFocus(), control(16));
    EXPECT_EQ(GetActiveWindow(), window());
}

TEST_F(MainWindowTest, StatusBarShowsTheReadyMessageInItsSecondField) {
    EXPECT_EQ(StatusText(),
              "Info: Tarvelo search is ready to work, There are (0) records in the database.");
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(statusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 20);
    EXPECT_EQ(edges[1], 600);
    // The text field is borderless, the icon field owner-drawn with BubbleIcon.
    EXPECT_EQ(HIWORD(SendMessageA(statusBar(), SB_GETTEXTLENGTHA, 1, 0)) & SBT_NOBORDERS,
              SBT_NOBORDERS);
    EXPECT_EQ(SendMessageA(statusBar(), SB_GETTEXTA, 0, 0),
              reinterpret_cast<LRESULT>(app().gui.ImageHandle(tarvelo::BubbleIcon)));
    // Docked along the bottom of the client area, over its full width.
    RECT client;
    GetClientRect(window(), &client);
    const RECT bar = ClientRectOf(statusBar());
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_GE(bar.top, 435);
    // Painted grey, with BubbleIcon in the icon field.
    RedrawWindow(statusBar(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT iconField{};
    SendMessageA(statusBar(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&iconField));
    HDC dc = GetDC(statusBar());
    const int middle = (iconField.top + iconField.bottom) / 2;
    EXPECT_EQ(GetPixel(dc, 590, middle), RGB(192, 192, 192));
    int iconPixels = 0;
    for (int x = iconField.left; x < iconField.right; ++x) {
        iconPixels += GetPixel(dc, x, middle) != RGB(192, 192, 192);
    }
    EXPECT_GT(iconPixels, 8) << "BubbleIcon not drawn in field 0";
    ReleaseDC(statusBar(), dc);
    EXPECT_NE(GetDlgCtrlID(statusBar()), 0);
    for (int number = 10; number <= 16; ++number) {
        EXPECT_NE(GetDlgCtrlID(statusBar()), number);
    }
}

struct StatusCase {
    int kind;
    std::string text;
    std::string shown;
};

class StatusKinds : public MainWindowTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusKinds, PrefixTheText) {
    app().status.ShowStatus(tarvelo::StatusInfo, "before");
    app().status.ShowStatus(GetParam().kind, GetParam().text);
    EXPECT_EQ(StatusText(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Kinds, StatusKinds,
                         ::testing::Values(StatusCase{tarvelo::StatusInfo, "", "Info: "},
                                           StatusCase{tarvelo::StatusError, "bad", "Error: bad"},
                                           StatusCase{3, "ignored", "Info: before"},
                                           StatusCase{0, "ignored", "Info: before"}));

TEST_F(MainWindowTest, MenuBarHasThreeTitlesOfOwnerDrawnItems) {
    HMENU bar = GetMenu(window());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    struct Item {
        UINT id;
        bool separator;
    };
    const std::vector<std::pair<std::string, std::vector<Item>>> expected = {
        {"Files", {{2, false}, {0, true}, {3, false}}},
        {"Tools", {{5, false}}},
        {"Help Menu", {{7, false}, {8, false}, {9, false}}}};
    for (int title = 0; title < 3; ++title) {
        char text[64] = {};
        GetMenuStringA(bar, title, text, sizeof(text), MF_BYPOSITION);
        EXPECT_EQ(text, expected[title].first);
        HMENU popup = GetSubMenu(bar, title);
        ASSERT_NE(popup, nullptr);
        const auto& items = expected[title].second;
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
            ASSERT_TRUE(GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info));
            EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << expected[title].first << " " << i;
            EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, items[i].separator);
            if (!items[i].separator) {
                EXPECT_EQ(info.wID, items[i].id);
                EXPECT_EQ(info.fState & (MFS_DISABLED | MFS_CHECKED), 0u);
            }
        }
    }
}

TEST_F(MainWindowTest, ShortcutTableHoldsTabShiftTabAltXAndReturn) {
    HACCEL table = app().gui.ShortcutTable(MainWindow);
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 8), 4);
    const ACCEL expected[] = {{FVIRTKEY | FNOINVERT, VK_TAB, 64001},
                              {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, 64002},
                              {FVIRTKEY | FNOINVERT | FALT, 'X', 17},
                              {FVIRTKEY | FNOINVERT, VK_RETURN, 18}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].fVirt & ~0x80, expected[i].fVirt) << i;
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
    }
}

TEST_F(MainWindowTest, AddingAShortcutForKnownKeysReplacesItsCommand) {
    app().gui.AddKeyboardShortcut(MainWindow, VK_RETURN, 99);
    app().gui.AddKeyboardShortcut(MainWindow, toolkit::kShortcutShift | VK_RETURN, 98);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableA(app().gui.ShortcutTable(MainWindow), entries, 8), 5);
    EXPECT_EQ(entries[3].key, VK_RETURN);
    EXPECT_EQ(entries[3].cmd, 99);
    EXPECT_EQ(entries[4].fVirt & ~0x80, FVIRTKEY | FNOINVERT | FSHIFT);
    EXPECT_EQ(entries[4].cmd, 98);
}

struct KeyCase {
    const char* name;
    int focus; // control number
    UINT key;
    std::vector<UINT> modifiers;
    bool extended;
    int command; // 0: no command
};

class Keys : public MainWindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, RaiseExactlyTheirCommand) {
    const KeyCase& c = GetParam();
    SetFocus(control(c.focus));
    const auto events = PressKey(c.key, c.modifiers, c.extended);
    if (c.command == 0) {
        EXPECT_EQ(CommandCount(events), 0);
    } else {
        EXPECT_TRUE(HasCommand(events, c.command));
        EXPECT_EQ(CommandCount(events), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, Keys,
    ::testing::Values(KeyCase{"ReturnInSearchText", 16, VK_RETURN, {}, false, 18},
                      KeyCase{"ReturnInResultList", 11, VK_RETURN, {}, false, 18},
                      KeyCase{"ReturnInOperatorBox", 14, VK_RETURN, {}, false, 18},
                      KeyCase{"ReturnInFieldBox", 15, VK_RETURN, {}, false, 18},
                      KeyCase{"KeypadReturn", 16, VK_RETURN, {}, true, 18},
                      KeyCase{"ShiftReturn", 16, VK_RETURN, {VK_SHIFT}, false, 0},
                      KeyCase{"ControlReturn", 16, VK_RETURN, {VK_CONTROL}, false, 0},
                      KeyCase{"AltReturn", 16, VK_RETURN, {VK_MENU}, false, 0},
                      KeyCase{"AltX", 16, 'X', {VK_MENU}, false, 17},
                      KeyCase{"AltXInResultList", 11, 'X', {VK_MENU}, false, 17},
                      KeyCase{"AltShiftX", 16, 'X', {VK_MENU, VK_SHIFT}, false, 0},
                      KeyCase{"ControlAltX", 16, 'X', {VK_MENU, VK_CONTROL}, false, 0},
                      KeyCase{"PlainX", 16, 'X', {}, false, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(MainWindowTest, XWithoutAltIsTyped) {
    SetFocus(control(16));
    PressKey('X');
    EXPECT_EQ(WindowText(control(16)), "x");
}

TEST_F(MainWindowTest, TabMovesTheFocusThroughTheTabStopsOnly) {
    SetFocus(control(16));
    const int forward[] = {11, 14, 15, 16, 11};
    for (int expected : forward) {
        EXPECT_EQ(CommandCount(PressKey(VK_TAB)), 0);
        EXPECT_EQ(GetFocus(), control(expected)) << "Tab to " << expected;
    }
    const int backward[] = {16, 15, 14, 11, 16};
    for (int expected : backward) {
        EXPECT_EQ(CommandCount(PressKey(VK_TAB, {VK_SHIFT})), 0);
        EXPECT_EQ(GetFocus(), control(expected)) << "Shift+Tab to " << expected;
    }
    // With no control focused, Tab starts at the first stop, Shift+Tab at the last.
    SetFocus(window());
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), control(11));
    SetFocus(window());
    PressKey(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), control(16));
}

struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

class CloseRequests : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseRequests, EndTheLoopAndKeepTheWindowUntilThen) {
    PostMessageA(window(), GetParam().message, GetParam().wParam, 0);
    // A posted WM_CLOSE also comes out as its own message number, which is
    // EventCloseRequest's too, but for no window; only window 1's counts.
    int closeRequests = 0;
    for (const auto& event : PumpAndDispatch()) {
        closeRequests += event.kind == toolkit::EventCloseRequest && event.window == MainWindow;
    }
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(app().quitRequested, 1);
    EXPECT_TRUE(IsWindow(window()));
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseRequests,
                         ::testing::Values(CloseCase{"CloseMessage", WM_CLOSE, 0},
                                           CloseCase{"SystemMenuClose", WM_SYSCOMMAND, SC_CLOSE}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                             return info.param.name;
                         });

TEST_F(MainWindowTest, AltF4EndsTheLoop) {
    int closeRequests = 0;
    for (const auto& event : PressKey(VK_F4, {VK_MENU})) {
        closeRequests += event.kind == toolkit::EventCloseRequest && event.window == MainWindow;
        tarvelo::Dispatch(app(), event);
    }
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(app().quitRequested, 1);
}

TEST_F(MainWindowTest, AltXAndExitTarveloEndTheLoop) {
    PressKey('X', {VK_MENU});
    EXPECT_EQ(app().quitRequested, 0); // PressKey only hands the events out
    tarvelo::Dispatch(app(), {toolkit::EventCommand, 0, tarvelo::ShortcutQuit});
    EXPECT_EQ(app().quitRequested, 1);
    app().quitRequested = 0;
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(tarvelo::MenuExit, 0), 0);
    const auto events = PumpAndDispatch();
    EXPECT_TRUE(HasCommand(events, tarvelo::MenuExit));
    EXPECT_EQ(app().quitRequested, 1);
}

TEST_F(MainWindowTest, DoubleClickInTheEmptyListRaisesTheListsDoubleClickEvent) {
    const LPARAM point = MAKELPARAM(100, 200); // below any row
    PostMessageA(control(11), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(control(11), WM_LBUTTONUP, 0, point);
    PostMessageA(control(11), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(control(11), WM_LBUTTONUP, 0, point);
    bool doubleClick = false;
    for (const auto& event : PumpEvents()) {
        if (event.kind == toolkit::EventControl && event.control == tarvelo::ResultList &&
            event.type == toolkit::ControlLeftDoubleClick) {
            doubleClick = true;
        }
    }
    EXPECT_TRUE(doubleClick);
}

struct BoxCase {
    const char* name;
    int command;
    const char* caption;
    std::vector<std::string> mentions;
};

class HelpBoxes : public MainWindowTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(HelpBoxes, ShowOverTheWindowAndGiveTheFocusBack) {
    SetFocus(control(tarvelo::FieldBox));
    BoxCloser closer(GetParam().caption);
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(GetParam().command, 0), 0);
    const auto events = PumpAndDispatch(); // returns once the box is closed
    EXPECT_TRUE(HasCommand(events, GetParam().command));
    const std::string text = closer.Text();
    for (const std::string& mention : GetParam().mentions) {
        EXPECT_NE(text.find(mention), std::string::npos) << mention << " in\n" << text;
    }
    EXPECT_EQ(closer.Owner(), window());
    PumpEvents();
    EXPECT_EQ(GetFocus(), control(tarvelo::FieldBox));
    EXPECT_EQ(app().quitRequested, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, HelpBoxes,
    ::testing::Values(BoxCase{"About",
                              tarvelo::MenuAbout,
                              "About Tarvelo",
                              {"Tarvelo 0.00", "Database\\Tarvelos v0.00.ptk",
                               "Records in the database: 0"}},
                      BoxCase{"KeysList",
                              tarvelo::MenuKeysList,
                              "Keys List",
                              {"Return", "Alt+X", "Shift+Tab", "Tab", "Double click"}},
                      BoxCase{"Help",
                              tarvelo::MenuHelp,
                              "Help Me",
                              {"Files > Update database", "Return", "Double click"}}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

TEST_F(MainWindowTest, FourControlsHaveBalloonTips) {
    struct Tip {
        int control;
        const char* text;
    };
    const Tip expected[] = {
        {11, "Double left click on a postcode in the list if any and it will be copied to the "
             "system clipboard.\r\n\r\nPress ALT + X for a speedy exit."},
        {14, "Select the SQL search expression to use in the search."},
        {15, "Select the field in which to search.\r\n\r\nYou have (All fields), Postcode, Suburb "
             "and State."},
        {16, "Start typing your search text in here and press ENTER to perform the search."}};
    ASSERT_EQ(app().tips.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const tarvelo::TipEntry& entry = app().tips[i];
        EXPECT_EQ(entry.window, MainWindow);
        EXPECT_EQ(entry.control, expected[i].control);
        ASSERT_NE(entry.tooltip, nullptr);
        EXPECT_EQ(ClassOf(entry.tooltip), "tooltips_class32");
        const auto style = static_cast<DWORD>(GetWindowLongA(entry.tooltip, GWL_STYLE));
        EXPECT_EQ(style & (TTS_BALLOON | TTS_NOPREFIX),
                  static_cast<DWORD>(TTS_BALLOON | TTS_NOPREFIX));
        EXPECT_EQ(style & TTS_ALWAYSTIP, 0u);
        EXPECT_TRUE(GetWindowLongA(entry.tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(entry.tooltip, GW_OWNER), window());
        EXPECT_EQ(SendMessageA(entry.tooltip, TTM_GETTIPBKCOLOR, 0, 0), RGB(10, 140, 245));
        EXPECT_EQ(SendMessageA(entry.tooltip, TTM_GETTIPTEXTCOLOR, 0, 0), RGB(0, 0, 0));
        EXPECT_EQ(SendMessageA(entry.tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 290);
        ASSERT_EQ(SendMessageA(entry.tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
        char text[512] = {};
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        ASSERT_TRUE(
            SendMessageA(entry.tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(info.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), 17u);
        EXPECT_EQ(info.hwnd, window());
        EXPECT_EQ(reinterpret_cast<HWND>(info.uId), control(expected[i].control));
        // The whole text: the ANSI form of TTM_GETTEXT stops at 80 characters.
        wchar_t wide[512] = {};
        TTTOOLINFOW wideInfo{};
        wideInfo.cbSize = TTTOOLINFOW_V2_SIZE;
        wideInfo.hwnd = info.hwnd;
        wideInfo.uId = info.uId;
        wideInfo.lpszText = wide;
        SendMessageW(entry.tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&wideInfo));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
        EXPECT_STREQ(text, expected[i].text);
    }
}

TEST_F(MainWindowTest, ASecondTipForTheSameControlIsRefused) {
    EXPECT_EQ(tarvelo::AddBalloonTip(app().tips, app().gui, MainWindow, tarvelo::OperatorBox,
                                     "another text"),
              1);
    EXPECT_EQ(app().tips.size(), 4u);
    // The same control number on another window is another entry.
    EXPECT_EQ(tarvelo::AddBalloonTip(app().tips, app().gui, 2, tarvelo::OperatorBox, "x"), 0);
    EXPECT_EQ(app().tips.size(), 5u);
    DestroyWindow(app().tips.back().tooltip);
}

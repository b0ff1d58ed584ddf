// The search command, which fills the result list, and the copy command,
// which puts the selected row on the clipboard.
#include "app/application.h"
#include "app/commands.h"
#include "app/ids.h"
#include "search/clipboard_line.h"
#include "search/clipboard_win32.h"
#include "search/search.h"
#include "search/search_statement.h"

#include <windows.h>

namespace tarvelo {

void RunSearch(Application& app) {
    toolkit::Toolkit& gui = app.gui;
    gui.ClearList(MainWindow, ResultList);
    const std::string label = gui.ControlText(MainWindow, OperatorBox);
    const int field = gui.ComboSelection(MainWindow, FieldBox);
    const std::string text = gui.ControlText(MainWindow, SearchTextBox);
    const std::string statement = BuildSearchStatement(label, field, text);

    // The list is not repainted while it fills. LockWindowUpdate alone does
    // not do it under Wine, where it has no effect: each row would repaint
    // the list and its scroll bar (some 20 ms a row). Turning the list's own
    // redrawing off does, and one repaint follows the fill.
    HWND list = gui.ControlHandle(MainWindow, ResultList);
    LockWindowUpdate(list);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    const int count =
        RunSearchQuery(app.database, statement, app.record, [&](const PostcodeRecord& row) {
            gui.AddListRow(MainWindow, ResultList,
                           row.postcode + '\n' + row.suburb + '\n' + row.state, TagIcon);
        });
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    LockWindowUpdate(nullptr);
    if (count == kSearchFailed) {
        app.status.ShowStatus(StatusError, kSearchFailedMessage);
        return;
    }
    // The text is echoed as typed; only the SQL literal holds it doubled.
    app.status.ShowStatus(StatusInfo, MatchesMessage(count, text));
}

void CopySelection(Application& app) {
    const toolkit::Toolkit& gui = app.gui;
    const int row = gui.ListSelection(MainWindow, ResultList);
    if (row == -1) {
        app.status.ShowStatus(StatusError, kNoSelectionMessage);
        return;
    }
    const std::string line = ClipboardLine(gui.ListCellText(MainWindow, ResultList, row, 0),
                                           gui.ListCellText(MainWindow, ResultList, row, 1),
                                           gui.ListCellText(MainWindow, ResultList, row, 2));
    WriteClipboardText(line);
    app.status.ShowStatus(StatusInfo, CopyConfirmation(line));
}

} // namespace tarvelo

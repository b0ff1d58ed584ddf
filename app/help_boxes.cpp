// The About, Keys List and Help Me boxes of the Help menu.
#include "app/application.h"
#include "app/commands.h"
#include "app/ids.h"
#include "store/record_count.h"

#include <string>

namespace tarvelo {
namespace {

void ShowOverMainWindow(const Application& app, const char* caption, const std::string& text) {
    MessageBoxA(app.gui.WindowHandle(MainWindow), text.c_str(), caption,
                MB_OK | MB_ICONINFORMATION);
}

} // namespace

void ShowAbout(const Application& app) {
    // The count query runs on the program's one connection.
    auto& database = const_cast<DatabaseConnection&>(app.database);
    ShowOverMainWindow(app, "About Tarvelo",
                       "Tarvelo 0.00\r\nSearch the Australian postcode database offline.\r\n\r\n"
                       "Database file:\r\n" +
                           app.locations.databaseFile +
                           "\r\n\r\nRecords in the database: " + QueryText(database, kCountQuery));
}

void ShowKeysList(const Application& app) {
    ShowOverMainWindow(app, "Keys List",
                       "Return\tSearch with the chosen comparison, field and text\r\n"
                       "Alt+X\tExit Tarvelo\r\n"
                       "Tab\tMove to the next control\r\n"
                       "Shift+Tab\tMove to the previous control\r\n"
                       "Double click\tCopy the selected postcode to the clipboard");
}

void ShowHelp(const Application& app) {
    ShowOverMainWindow(app, "Help Me",
                       "1. Import the Australia Post postcode file with Files > Update "
                       "database.\r\n"
                       "2. Choose a comparison and a field, type the search text and press "
                       "Return.\r\n"
                       "3. Double click a postcode in the list to copy it to the clipboard.");
}

} // namespace tarvelo

#include "store/open_database_win32.h"

#include "store/ansi_path_win32.h"
#include "toolkit/handles.h"
#include "toolkit/message_box.h"

#include <windows.h>

namespace tarvelo {

DatabaseConnection OpenPostcodeDatabase(const Locations& locations) {
    // Existence check: creates a missing file empty, leaves an existing one
    // as it is. Asking for write access while sharing read access only also
    // fails when another copy of the program has the database open.
    {
        const toolkit::FileHandle file(
            CreateFileA(locations.databaseFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            toolkit::ShowMessageBox(kDatabaseOpenErrorCaption,
                                    "There was a serious problem attempting to open the system "
                                    "database, try another one");
            return {};
        }
    }
    DatabaseConnection connection = OpenConnection(AnsiPathToUtf8(locations.databaseFile));
    if (!connection.IsOpen()) {
        toolkit::ShowMessageBox(kDatabaseOpenErrorCaption,
                                "There was a serious problem attempting to connect to the system "
                                "database, try another one");
        return connection;
    }
    ExecuteUpdate(connection, kCreateTableStatement);
    return connection;
}

} // namespace tarvelo

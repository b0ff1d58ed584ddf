// The real tarvelo.exe killed in the middle of an import: the next start finds
// the rows it had before, and nothing else.
#include "program_runner.h"

#include "store/ansi_path_win32.h"
#include "store/database.h"
#include "store/record_count.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

using namespace tarvelo_test;

namespace {

constexpr const char* kDialogTitle = "Select Australia Post(tm) postcode file";
constexpr int kFileNameCombo = 0x47C; // cmb13, with an edit inside
constexpr const char* kPreviousRows = "4000|BRISBANE|QLD;0800|DARWIN|NT;6000|PERTH|WA";
constexpr const char* kRowsQuery =
    "SELECT group_concat(postcode || '|' || suburb || '|' || state, ';') "
    "FROM (SELECT * FROM postcodes ORDER BY rowid)";

tarvelo::DatabaseConnection OpenDatabase(const std::string& file) {
    return tarvelo::OpenConnection(tarvelo::AnsiPathToUtf8(file));
}

// Database\Tarvelos v0.00.ptk in folder, holding the previous rows.
bool WriteDatabase(const std::string& folder, const std::string& file) {
    CreateDirectoryA((folder + "Database").c_str(), nullptr);
    std::ofstream(file, std::ios::binary).flush();
    tarvelo::DatabaseConnection connection = OpenDatabase(file);
    return tarvelo::ExecuteUpdate(connection, tarvelo::kCreateTableStatement) &&
           tarvelo::ExecuteUpdate(connection,
                                  "INSERT INTO postcodes(postcode, suburb, state) VALUES"
                                  "('4000','BRISBANE','QLD'),('0800','DARWIN','NT'),"
                                  "('6000','PERTH','WA')");
}

// An Australia Post file of lines rows, large enough that the engine writes
// pages of the new rows into the database file before it commits.
void WriteLargeFile(const std::string& path, int lines) {
    std::ofstream out(path, std::ios::binary);
    out << "\"Pcode\",\"Locality\",\"State\",\"Comments\",\"DeliveryOffice\"\r\n";
    char line[128];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof(line),
                      "\"%04d\",\"GENERATED LOCALITY %d\",\"NSW\",\"\",\"DELIVERY CENTRE\"\r\n",
                      i % 10000, i);
        out << line;
    }
}

std::uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

BOOL CALLBACK MatchEdit(HWND window, LPARAM data) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "Edit") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

HWND FileNameEdit(HWND dialog) {
    HWND edit = nullptr;
    EnumChildWindows(GetDlgItem(dialog, kFileNameCombo), MatchEdit,
                     reinterpret_cast<LPARAM>(&edit));
    return edit;
}

// The text of an edit of another process, asked for with WM_GETTEXT (which
// GetWindowText does not send across processes).
std::string EditText(HWND edit) {
    char text[MAX_PATH + 1] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(KilledImport, LeavesThePreviousRowsAtTheNextStart) {
    TempFolder folder("killed-import");
    const std::string database = folder.path() + "Database\\Tarvelos v0.00.ptk";
    const std::string journal = database + "-journal";
    ASSERT_TRUE(WriteDatabase(folder.path(), database));
    const std::uint64_t sizeBefore = FileSize(database);
    const std::string csv = folder.path() + "pc-large.csv";
    WriteLargeFile(csv, 300000);

    {
        Program program(folder.path());
        ASSERT_TRUE(program.started()) << "TARVELO_EXE not set or not startable";
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(2, 0), 0); // Files > Update database
        HWND dialog = program.WaitForTopWindow("#32770", kDialogTitle);
        ASSERT_NE(dialog, nullptr);
        HWND edit = FileNameEdit(dialog);
        ASSERT_NE(edit, nullptr);
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(csv.c_str()));
        ASSERT_EQ(EditText(edit), csv);
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(edit, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));

        // Under way: the transaction's journal exists and new rows have
        // already reached the database file itself.
        ASSERT_TRUE(WaitFor([&] {
            return FileExists(journal) && FileSize(database) > sizeBefore + (1u << 20);
        })) << "the import did not get under way";
        ASSERT_TRUE(TerminateProcess(program.handle(), 1));
        ASSERT_EQ(program.WaitForExit(), 1u);
    }
    ASSERT_TRUE(FileExists(journal)) << "the import had ended before the kill";

    // The next start rolls the unfinished transaction back.
    {
        Program program(folder.path());
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    EXPECT_FALSE(FileExists(journal));
    tarvelo::DatabaseConnection connection = OpenDatabase(database);
    ASSERT_TRUE(connection.IsOpen());
    EXPECT_EQ(tarvelo::QueryText(connection, kRowsQuery), kPreviousRows);
    EXPECT_EQ(tarvelo::QueryText(connection, "PRAGMA integrity_check"), "ok");
}

} // namespace

// A fault on the GUI thread in the middle of an import: the report is shown,
// the program ends with exit code 0, and the database holds the rows it had
// before the import, none of the file's.
#include "fault_injector.h"
#include "program_runner.h"

#include "crash/report.h"
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
constexpr WPARAM kUpdateDatabase = MAKEWPARAM(2, 0);
constexpr const char* kPreviousRows = "4000|BRISBANE|QLD;0800|DARWIN|NT;6000|PERTH|WA";
// The first rows, one more than there were before, so that an extra row shows.
constexpr const char* kRowsQuery =
    "SELECT group_concat(postcode || '|' || suburb || '|' || state, ';') "
    "FROM (SELECT * FROM postcodes ORDER BY rowid LIMIT 4)";
// Enough lines that the import runs for seconds under Wine, and that the
// engine writes pages of new rows into the database file before it commits.
constexpr int kFileLines = 300000;

tarvelo::DatabaseConnection OpenDatabase(const std::string& file) {
    return tarvelo::OpenConnection(tarvelo::AnsiPathToUtf8(file));
}

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

// An Australia Post file, heading first.
void WriteLargeFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "\"Pcode\",\"Locality\",\"State\",\"Comments\",\"DeliveryOffice\"\r\n";
    char line[128];
    for (int i = 0; i < kFileLines; ++i) {
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

// Chooses path in the program's file dialog, as typed into its file name box
// and confirmed with Return. The text is read back with WM_GETTEXT, which
// GetWindowText does not send across processes.
::testing::AssertionResult ChooseFile(const Program& program, const std::string& path) {
    const HWND dialog = program.WaitForTopWindow("#32770", kDialogTitle);
    if (dialog == nullptr) {
        return ::testing::AssertionFailure() << "no file dialog appeared";
    }
    HWND edit = nullptr;
    EnumChildWindows(GetDlgItem(dialog, kFileNameCombo), MatchEdit,
                     reinterpret_cast<LPARAM>(&edit));
    if (edit == nullptr) {
        return ::testing::AssertionFailure() << "the file dialog has no file name box";
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    char typed[MAX_PATH + 1] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof(typed), reinterpret_cast<LPARAM>(typed));
    if (path != typed) {
        return ::testing::AssertionFailure() << "the file name box holds \"" << typed << "\"";
    }
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
    return ::testing::AssertionSuccess();
}

// Whether some process holds the file open and lets no one write to it, as
// the program holds its CSV file while it imports.
bool HeldOpen(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(file);
    return false;
}

TEST(FaultDuringImport, IsReportedAndLeavesThePreviousRows) {
    TempFolder folder("crash-import");
    const std::string database = folder.path() + "Database\\Tarvelos v0.00.ptk";
    const std::string journal = database + "-journal";
    ASSERT_TRUE(WriteDatabase(folder.path(), database));
    const std::uint64_t sizeBefore = FileSize(database);
    const std::string csv = folder.path() + "pc-large.csv";
    WriteLargeFile(csv);

    Program program(folder.path());
    ASSERT_TRUE(program.started()) << "TARVELO_EXE not set or not startable";
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, kUpdateDatabase, 0);
    ASSERT_TRUE(ChooseFile(program, csv));

    // Under way: the transaction's journal exists and new rows have already
    // reached the database file itself, so only a rollback brings the
    // previous rows back.
    ASSERT_TRUE(WaitFor([&] {
        return FileExists(journal) && FileSize(database) > sizeBefore + (1u << 20);
    })) << "the import did not get under way";
    const InjectedFault fault =
        InjectFault(program.id(), FaultKind::ReadReservedPage, Timing::AtOnce);
    ASSERT_TRUE(fault.done) << fault.failure;

    const HWND box = program.WaitForTopWindow(nullptr, "OnError example");
    ASSERT_NE(box, nullptr) << "no report appeared";
    const std::string text = MessageBoxText(box);
    EXPECT_EQ(text.rfind("A program error has been detected:\r", 0), 0u) << text;
    EXPECT_EQ(text, tarvelo::BuildErrorReport(fault.expected)) << "not the injected fault";
    // The program stands still while the report is open: the import was cut
    // off in the middle, its transaction still open and its file still read.
    EXPECT_TRUE(FileExists(journal)) << "the import had ended before the fault";
    EXPECT_TRUE(HeldOpen(csv)) << "the import had closed its file before the fault";

    PressOk(box);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_FALSE(IsWindow(window));

    // Opening the database rolls back whatever the ended program left of the
    // import's transaction; then exactly the previous rows are there, and no
    // journal is left to undo anything later.
    {
        tarvelo::DatabaseConnection connection = OpenDatabase(database);
        ASSERT_TRUE(connection.IsOpen());
        EXPECT_EQ(tarvelo::QueryText(connection, tarvelo::kCountQuery), "3");
        EXPECT_EQ(tarvelo::QueryText(connection, kRowsQuery), kPreviousRows);
        EXPECT_EQ(tarvelo::QueryText(connection, "PRAGMA integrity_check"), "ok");
        EXPECT_TRUE(tarvelo::ExecuteUpdate(connection, "DELETE FROM postcodes WHERE 0"))
            << "the database is still locked";
    }
    EXPECT_FALSE(FileExists(journal));
}

} // namespace

// A fault on the GUI thread in the middle of an import: the report is shown,
// the program ends with exit code 0, and the database holds the rows it had
// before the import, none of the file's.
#include "fault_injector.h"
#include "import_fixture.h"
#include "program_runner.h"

#include "crash/report.h"
#include "store/database.h"
#include "store/record_count.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

using namespace tarvelo_test;

namespace {

constexpr WPARAM kUpdateDatabase = MAKEWPARAM(2, 0);
// The first rows, one more than there were before, so that an extra row shows.
constexpr const char* kRowsQuery =
    "SELECT group_concat(postcode || '|' || suburb || '|' || state, ';') "
    "FROM (SELECT * FROM postcodes ORDER BY rowid LIMIT 4)";
// Enough lines that the import runs for seconds under Wine, and that the
// engine writes pages of new rows into the database file before it commits.
constexpr int kFileLines = 300000;

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
    WriteLargeFile(csv, kFileLines);

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

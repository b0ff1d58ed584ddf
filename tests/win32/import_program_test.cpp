// The real tarvelo.exe killed in the middle of an import: the next start finds
// the rows it had before, and nothing else.
#include "import_fixture.h"
#include "program_runner.h"

#include "store/database.h"
#include "store/record_count.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

using namespace tarvelo_test;

namespace {

constexpr const char* kRowsQuery =
    "SELECT group_concat(postcode || '|' || suburb || '|' || state, ';') "
    "FROM (SELECT * FROM postcodes ORDER BY rowid)";

} // namespace

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
        ASSERT_TRUE(ChooseFile(program, csv));

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

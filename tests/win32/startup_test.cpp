// The real tarvelo.exe started in folders prepared by the test: the database
// it creates or finds there, the boxes it shows, and its exit code.
#include "program_runner.h"

#include "store/database.h"
#include "store/record_count.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tarvelo_test;

namespace {

constexpr const char* kDatabaseRelative = "Database\\Tarvelos v0.00.ptk";
constexpr const char* kOpenFailure =
    "There was a serious problem attempting to open the system database, try another one";

// Waits until the program's window is up (or the program has ended), asks it
// to close as the close box does, and yields the exit code.
DWORD EndProgram(const Program& program) {
    HWND window = nullptr;
    WaitFor([&] {
        window = program.FindTopWindow("WindowClass_1", nullptr);
        return window != nullptr || program.WaitForExit(0) != STILL_ACTIVE;
    });
    if (window != nullptr) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return program.WaitForExit();
}

// Creates Database\ in folder and yields the database file's path there.
std::string PrepareDatabaseFolder(const TempFolder& folder) {
    CreateDirectoryA((folder.path() + "Database").c_str(), nullptr);
    return folder.path() + kDatabaseRelative;
}

void ExpectOpenFailureBox(const Program& program) {
    HWND box = program.WaitForTopWindow(nullptr, "Database open error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kOpenFailure);
    PressOk(box);
}

std::string CountOf(const std::string& ansiPath) {
    tarvelo::DatabaseConnection connection = tarvelo::OpenConnection(ansiPath);
    return tarvelo::QueryText(connection, tarvelo::kCountQuery);
}

} // namespace

TEST(Startup, FirstStartCreatesTheDatabaseWithItsTable) {
    TempFolder folder("first");
    Program program(folder.path());
    ASSERT_TRUE(program.started());
    EXPECT_EQ(EndProgram(program), 0u);
    const std::string database = folder.path() + kDatabaseRelative;
    ASSERT_TRUE(FileExists(database));
    EXPECT_EQ(CountOf(database), "0");
}

TEST(Startup, ExistingRowsAreKept) {
    TempFolder folder("rows");
    const std::string database = PrepareDatabaseFolder(folder);
    std::ofstream(database, std::ios::binary).flush();
    {
        tarvelo::DatabaseConnection connection = tarvelo::OpenConnection(database);
        ASSERT_TRUE(tarvelo::ExecuteUpdate(connection, tarvelo::kCreateTableStatement));
        ASSERT_TRUE(tarvelo::ExecuteUpdate(
            connection, "INSERT INTO postcodes VALUES('3000','MELBOURNE','VIC')"));
    }
    Program program(folder.path());
    ASSERT_TRUE(program.started());
    EXPECT_EQ(EndProgram(program), 0u);
    EXPECT_EQ(CountOf(database), "1");
}

TEST(Startup, PlainTextDatabaseFileIsLeftAloneWithoutAMessage) {
    TempFolder folder("plain");
    const std::string database = PrepareDatabaseFolder(folder);
    const std::string text = "not a database, just a line of text that is long enough\r\n";
    std::ofstream(database, std::ios::binary) << text;
    Program program(folder.path());
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.FindTopWindow(nullptr, "Database open error"), nullptr);
    EXPECT_EQ(EndProgram(program), 0u);
    EXPECT_EQ(ReadFileBytes(database), text);
}

TEST(Startup, ReadOnlyDatabaseShowsTheOpenFailureBox) {
    TempFolder folder("readonly");
    const std::string database = PrepareDatabaseFolder(folder);
    std::ofstream(database, std::ios::binary).flush();
    ASSERT_TRUE(SetFileAttributesA(database.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        const HANDLE probe = CreateFileA(database.c_str(), GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe != INVALID_HANDLE_VALUE) {
            CloseHandle(probe);
            SetFileAttributesA(database.c_str(), FILE_ATTRIBUTE_NORMAL);
            GTEST_SKIP() << "this account can write read-only files (root under Wine); "
                            "DatabaseHeldOpenByAnotherProcessShowsTheOpenFailureBox covers the box";
        }
    }
    Program program(folder.path());
    ASSERT_TRUE(program.started());
    ExpectOpenFailureBox(program);
    EXPECT_EQ(EndProgram(program), 0u);
    SetFileAttributesA(database.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(database), "");
}

TEST(Startup, DatabaseHeldOpenByAnotherProcessShowsTheOpenFailureBox) {
    TempFolder folder("held");
    const std::string database = PrepareDatabaseFolder(folder);
    // Write access that shares nothing, as a second running copy has it.
    const HANDLE held = CreateFileA(database.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Program program(folder.path());
    ASSERT_TRUE(program.started());
    ExpectOpenFailureBox(program);
    EXPECT_EQ(EndProgram(program), 0u);
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(database), "");
}

TEST(Startup, FolderNamedWithNonAsciiAnsiCharactersWorks) {
    // 0x80 is the euro sign and 0xE9 e-acute in code page 1252: the first is
    // where the ANSI name and the ISO-8859-1 reading of it differ.
    ASSERT_EQ(GetACP(), 1252u);
    TempFolder folder("Caf\xE9 \x80");
    Program program(folder.path());
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.FindTopWindow(nullptr, "Database open error"), nullptr);
    EXPECT_EQ(EndProgram(program), 0u);
    const std::string database = folder.path() + kDatabaseRelative;
    ASSERT_TRUE(FileExists(database));
    std::ifstream header(database, std::ios::binary);
    char magic[16] = {};
    header.read(magic, 15);
    EXPECT_STREQ(magic, "SQLite format 3") << "the table was not created in the real file";
}

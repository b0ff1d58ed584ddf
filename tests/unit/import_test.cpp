// The import of a postcode file into a real database file: what it reports,
// what the table holds afterwards, and that failures keep the previous rows.
#include "store/import.h"
#include "store/record_count.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace tarvelo;

namespace {

using Status = std::pair<int, std::string>;

class StatusRecorder : public StatusLine {
  public:
    void ShowStatus(int kind, std::string_view text) override { shown.emplace_back(kind, text); }
    std::vector<Status> shown;
};

// Yields its bytes, then fails as a file whose disk went away would.
class FailingSource : public MemorySource {
  public:
    using MemorySource::MemorySource;
    bool Failed() const override { return true; }
};

// A second connection to the same file, as another program would hold it.
using OtherConnection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

const Status kDeleteFailed{StatusError, std::string(kImportDeleteFailedText)};
const Status kSaveFailed{StatusError, std::string(kImportSaveFailedText)};

Status Info(const std::string& text) {
    return {StatusInfo, text};
}

class Import : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "tarvelo_import_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ptk";
        std::remove(path_.c_str());
        std::remove((path_ + "-journal").c_str());
        std::ofstream(path_, std::ios::binary).flush();
        connection_ = OpenConnection(path_);
        ASSERT_TRUE(connection_.IsOpen());
    }
    void TearDown() override {
        CloseConnection(connection_);
        std::remove(path_.c_str());
    }

    // The table as the program creates it, holding two earlier rows.
    void CreateTableWithPreviousRows(std::string_view create = kCreateTableStatement) {
        ASSERT_TRUE(ExecuteUpdate(connection_, create));
        ASSERT_TRUE(ExecuteUpdate(connection_, "INSERT INTO postcodes VALUES('1111','OLD','X')"));
        ASSERT_TRUE(ExecuteUpdate(connection_, "INSERT INTO postcodes VALUES('2222','OLDER','Y')"));
    }

    std::string Rows() {
        return QueryText(connection_, "SELECT group_concat(postcode || '|' || suburb || '|' || "
                                      "state, ';') FROM (SELECT * FROM postcodes ORDER BY rowid)");
    }

    std::vector<Status> Run(std::string_view file) {
        MemorySource source(file);
        return Run(source);
    }
    std::vector<Status> Run(ByteSource& source) {
        StatusRecorder status;
        ImportRecords(connection_, source, status, record_);
        return status.shown;
    }

    OtherConnection OpenOther() {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        return OtherConnection(db, &sqlite3_close);
    }

    // The import leaves no transaction open: a new one can be begun.
    void ExpectNoTransactionOpen() {
        EXPECT_TRUE(ExecuteUpdate(connection_, "Begin Transaction"));
        EXPECT_TRUE(ExecuteUpdate(connection_, "Rollback"));
    }

    std::string path_;
    DatabaseConnection connection_;
    PostcodeRecord record_;
};

} // namespace

TEST(InsertStatement, DoublesTheApostrophesOfEveryValue) {
    EXPECT_EQ(BuildInsertStatement({"0'1", "O'NEIL", "N''T"}),
              "INSERT INTO postcodes(postcode, suburb, state) VALUES('0''1','O''NEIL','N''''T')");
}

TEST_F(Import, ReplacesTheRowsAndReportsEachRecordThenTheCount) {
    CreateTableWithPreviousRows();
    const auto shown = Run("\"Pcode\",\"Locality\",\"State\"\r\n"
                           "\"0800\",\"DARWIN\",\"NT\"\r\n"
                           "\r\n"
                           "\"2000\",\"O''NEIL\",\"NSW\",\"extra\"\r\n"
                           " 3000,\"O'HARA, WEST\",VIC\r\n"
                           "4000,\xC9LAN\t,QLD");
    EXPECT_EQ(shown,
              (std::vector<Status>{Info("0800, DARWIN, NT"), Info("2000, O'NEIL, NSW"),
                                   Info(" 3000, O'HARA,  WEST"), Info("4000, \xC9LAN\t, QLD"),
                                   Info("There were (4) records imported into the database.")}));
    EXPECT_EQ(Rows(), "0800|DARWIN|NT;2000|O'NEIL|NSW; 3000|O'HARA| WEST;4000|\xC9LAN\t|QLD");
    EXPECT_EQ(record_.postcode, "4000");
    EXPECT_EQ(record_.suburb, "\xC9LAN\t");
    EXPECT_EQ(record_.state, "QLD");
    ExpectNoTransactionOpen();
}

TEST_F(Import, EmptyFileLeavesAnEmptyTable) {
    CreateTableWithPreviousRows();
    EXPECT_EQ(Run(""),
              std::vector<Status>{Info("There were (0) records imported into the database.")});
    EXPECT_EQ(QueryText(connection_, kCountQuery), "0");
}

TEST_F(Import, FailedInsertIsReportedAndSkipped) {
    CreateTableWithPreviousRows();
    ASSERT_TRUE(ExecuteUpdate(connection_, "CREATE TRIGGER refuse BEFORE INSERT ON postcodes "
                                           "WHEN NEW.postcode = '9999' "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const auto shown = Run("3000,A,B\n9999,REFUSED,X\n3001,C,D\n");
    EXPECT_EQ(shown,
              (std::vector<Status>{Info("3000, A, B"),
                                   {StatusError, std::string(kImportRecordFailedText)},
                                   Info("3001, C, D"),
                                   Info("There were (2) records imported into the database.")}));
    EXPECT_EQ(Rows(), "3000|A|B;3001|C|D");
}

TEST_F(Import, MissingTableIsReportedAndNothingIsLeftOpen) {
    EXPECT_EQ(Run("3000,A,B\n"), std::vector<Status>{kDeleteFailed});
    ExpectNoTransactionOpen();
    EXPECT_EQ(QueryText(connection_, "SELECT count(*) FROM sqlite_master"), "0");
}

TEST_F(Import, NoConnectionIsReportedAsAFailedDelete) {
    CloseConnection(connection_);
    EXPECT_EQ(Run("3000,A,B\n"), std::vector<Status>{kDeleteFailed});
}

TEST_F(Import, LockedDatabaseKeepsThePreviousRows) {
    CreateTableWithPreviousRows();
    ASSERT_TRUE(ExecuteUpdate(connection_, "PRAGMA busy_timeout = 50"));
    OtherConnection other = OpenOther();
    // Another writer holds the write lock: the delete cannot run.
    ASSERT_EQ(sqlite3_exec(other.get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(Run("3000,A,B\n"), std::vector<Status>{kDeleteFailed});
    ASSERT_EQ(sqlite3_exec(other.get(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(Rows(), "1111|OLD|X;2222|OLDER|Y");
    ExpectNoTransactionOpen();
}

TEST_F(Import, CommitThatCannotGetTheLockRollsBackAndKeepsThePreviousRows) {
    CreateTableWithPreviousRows();
    ASSERT_TRUE(ExecuteUpdate(connection_, "PRAGMA busy_timeout = 50"));
    OtherConnection other = OpenOther();
    // An open read transaction elsewhere keeps the commit from writing.
    ASSERT_EQ(sqlite3_exec(other.get(), "BEGIN; SELECT count(*) FROM postcodes", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    const auto shown = Run("3000,A,B\n3001,C,D\n");
    EXPECT_EQ(shown, (std::vector<Status>{Info("3000, A, B"), Info("3001, C, D"), kSaveFailed}));
    ASSERT_EQ(sqlite3_exec(other.get(), "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(Rows(), "1111|OLD|X;2222|OLDER|Y");
    ExpectNoTransactionOpen();
    // The rows are still there for a later run of the program.
    CloseConnection(connection_);
    connection_ = OpenConnection(path_);
    EXPECT_EQ(Rows(), "1111|OLD|X;2222|OLDER|Y");
}

TEST_F(Import, TransactionEndedByTheEngineStopsTheImportAndKeepsThePreviousRows) {
    // A table that another tool made, whose constraint rolls back the whole
    // transaction when it fails.
    CreateTableWithPreviousRows("CREATE TABLE postcodes(postcode TEXT UNIQUE ON CONFLICT ROLLBACK, "
                                "suburb TEXT, state TEXT)");
    const auto shown = Run("3000,A,B\n3000,DUPLICATE,B\n3001,C,D\n");
    EXPECT_EQ(shown, (std::vector<Status>{Info("3000, A, B"),
                                          {StatusError, std::string(kImportRecordFailedText)},
                                          kSaveFailed}));
    EXPECT_EQ(Rows(), "1111|OLD|X;2222|OLDER|Y");
    ExpectNoTransactionOpen();
}

TEST_F(Import, ReadErrorKeepsThePreviousRows) {
    CreateTableWithPreviousRows();
    FailingSource source("3000,A,B\n30");
    EXPECT_EQ(Run(source), (std::vector<Status>{Info("3000, A, B"), Info("30, , "), kSaveFailed}));
    EXPECT_EQ(Rows(), "1111|OLD|X;2222|OLDER|Y");
    ExpectNoTransactionOpen();
}

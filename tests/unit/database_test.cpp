// The database layer, the schema and the record count, on real files.
#include "store/database.h"
#include "store/record_count.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

using namespace tarvelo;

namespace {

// A database file that exists, empty, as the program's existence check
// leaves a new one; removed afterwards.
class DatabaseFile : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "tarvelo_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ptk";
        std::remove(path_.c_str());
        std::ofstream(path_, std::ios::binary).flush();
    }
    void TearDown() override { std::remove(path_.c_str()); }

    DatabaseConnection OpenWithTable() {
        DatabaseConnection connection = OpenConnection(path_);
        EXPECT_TRUE(connection.IsOpen());
        EXPECT_TRUE(ExecuteUpdate(connection, kCreateTableStatement));
        return connection;
    }

    std::string path_;
};

} // namespace

TEST_F(DatabaseFile, OpenNeverCreatesAFile) {
    std::remove(path_.c_str());
    EXPECT_FALSE(OpenConnection(path_).IsOpen());
    EXPECT_FALSE(std::ifstream(path_).good());
    EXPECT_FALSE(OpenConnection("").IsOpen());
}

TEST_F(DatabaseFile, NewFileGetsTheTableAndCountsZero) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_EQ(QueryText(connection, kCountQuery), "0");
    EXPECT_EQ(ReadyMessage(QueryText(connection, kCountQuery)),
              "Tarvelo search is ready to work, There are (0) records in the database.");
    // The create statement leaves an existing table and its rows alone.
    EXPECT_TRUE(
        ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('3000','MELBOURNE','VIC')"));
    EXPECT_TRUE(ExecuteUpdate(connection, kCreateTableStatement));
    EXPECT_EQ(QueryText(connection, kCountQuery), "1");
}

TEST_F(DatabaseFile, CountSkipsNullPostcodes) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_TRUE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES(NULL,'NOWHERE','VIC')"));
    EXPECT_TRUE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('','EMPTY','VIC')"));
    EXPECT_EQ(QueryText(connection, kCountQuery), "1");
}

TEST_F(DatabaseFile, ExecuteUpdateRunsStatementsInOrderAndStopsAtTheFirstFailure) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_TRUE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('1','A','X');"
                                          "  INSERT INTO postcodes VALUES('2','B','X');"));
    EXPECT_EQ(QueryText(connection, kCountQuery), "2");

    EXPECT_FALSE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('3','C','X');"
                                           "INSERT INTO nowhere VALUES(1);"
                                           "INSERT INTO postcodes VALUES('4','D','X');"));
    // The statement before the failure keeps its effect, the one after never runs.
    EXPECT_EQ(QueryText(connection, "SELECT group_concat(postcode) FROM postcodes"), "1,2,3");
}

TEST_F(DatabaseFile, ExecuteUpdateResults) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_TRUE(ExecuteUpdate(connection, "DELETE FROM postcodes"));
    EXPECT_FALSE(ExecuteUpdate(connection, "DELETE FROM nowhere"));
    EXPECT_FALSE(ExecuteUpdate(connection, ""));
    EXPECT_FALSE(ExecuteUpdate(connection, "   "));
    EXPECT_FALSE(ExecuteUpdate(connection, "-- only a comment"));
    EXPECT_FALSE(ExecuteUpdate(connection, "NOT SQL"));
    // A query's rows are stepped through and discarded.
    EXPECT_TRUE(ExecuteUpdate(connection, "SELECT * FROM postcodes"));
    EXPECT_FALSE(connection.HasStatement());
}

TEST_F(DatabaseFile, QueryTextYieldsColumnZeroOfTheLastRow) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_TRUE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('0800','DARWIN','NT')"));
    EXPECT_TRUE(
        ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('3000','MELBOURNE','VIC')"));
    EXPECT_EQ(QueryText(connection, "SELECT postcode FROM postcodes ORDER BY postcode"), "3000");
    EXPECT_EQ(QueryText(connection, "SELECT postcode FROM postcodes WHERE 0"), "");
    EXPECT_EQ(QueryText(connection, "SELECT nothing FROM postcodes"), "");
    // The statement stays open, and the next update finalizes it first.
    EXPECT_EQ(QueryText(connection, kCountQuery), "2");
    EXPECT_TRUE(connection.HasStatement());
    EXPECT_TRUE(ExecuteUpdate(connection, "DELETE FROM postcodes"));
    EXPECT_FALSE(connection.HasStatement());
    EXPECT_EQ(QueryText(connection, kCountQuery), "0");
}

TEST_F(DatabaseFile, ColumnTextOutsideARowOrColumnIsEmpty) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_TRUE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('2600',NULL,'ACT')"));
    ASSERT_TRUE(StartQuery(connection, "SELECT postcode, suburb, state, 42 FROM postcodes"));
    EXPECT_EQ(ColumnText(connection, 0), ""); // no row ready yet
    ASSERT_TRUE(NextRow(connection));
    EXPECT_EQ(ColumnText(connection, 0), "2600");
    EXPECT_EQ(ColumnText(connection, 1), ""); // NULL
    EXPECT_EQ(ColumnText(connection, 2), "ACT");
    EXPECT_EQ(ColumnText(connection, 3), "42"); // numbers in their text form
    EXPECT_EQ(ColumnText(connection, 4), "");
    EXPECT_EQ(ColumnText(connection, -1), "");
    EXPECT_FALSE(NextRow(connection));
    FinishQuery(connection);
    EXPECT_FALSE(connection.HasStatement());
    EXPECT_EQ(ColumnText(connection, 0), "");
    EXPECT_FALSE(NextRow(connection));
}

TEST_F(DatabaseFile, StartQueryResults) {
    DatabaseConnection connection = OpenWithTable();
    EXPECT_FALSE(StartQuery(connection, "SELECT * FROM nowhere"));
    EXPECT_FALSE(connection.HasStatement());
    EXPECT_TRUE(StartQuery(connection, "")); // no statement: true, nothing current
    EXPECT_FALSE(connection.HasStatement());
    EXPECT_FALSE(NextRow(connection));
    // Only the first statement of the text is prepared.
    EXPECT_TRUE(StartQuery(connection, "SELECT 1; DELETE FROM postcodes"));
    EXPECT_TRUE(NextRow(connection));
    EXPECT_EQ(ColumnText(connection, 0), "1");
}

TEST(NoConnection, EveryOperationFailsHarmlessly) {
    DatabaseConnection none;
    EXPECT_FALSE(none.IsOpen());
    EXPECT_FALSE(ExecuteUpdate(none, kCreateTableStatement));
    EXPECT_FALSE(StartQuery(none, kCountQuery));
    EXPECT_FALSE(NextRow(none));
    EXPECT_EQ(ColumnText(none, 0), "");
    EXPECT_EQ(QueryText(none, kCountQuery), "");
    FinishQuery(none);
    CloseConnection(none);
    EXPECT_EQ(ReadyMessage(QueryText(none, kCountQuery)),
              "Tarvelo search is ready to work, There are () records in the database.");
}

TEST_F(DatabaseFile, PlainTextFileOpensButHoldsNoTable) {
    std::ofstream(path_, std::ios::binary) << "this is not a database, just some text\n";
    DatabaseConnection connection = OpenConnection(path_);
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_FALSE(ExecuteUpdate(connection, kCreateTableStatement));
    EXPECT_EQ(QueryText(connection, kCountQuery), "");
}

TEST_F(DatabaseFile, SingleByteTextsAreStoredAsUtf8AndReadBackUnchanged) {
    DatabaseConnection connection = OpenWithTable();
    std::string all;
    for (int b = 1; b <= 0xFF; ++b) {
        if (b != '\'') {
            all += static_cast<char>(b);
        }
    }
    ASSERT_TRUE(ExecuteUpdate(connection, "INSERT INTO postcodes VALUES('1','" + all + "','X')"));
    EXPECT_EQ(QueryText(connection, "SELECT suburb FROM postcodes"), all);
    // Other tools see real UTF-8: 0xE9 is stored as C3 A9, 0x92 as U+2019.
    EXPECT_EQ(QueryText(connection, "SELECT hex(CAST(char(233) AS BLOB)) || ',' || "
                                    "hex(CAST(char(8217) AS BLOB))"),
              "C3A9,E28099");
    ASSERT_TRUE(ExecuteUpdate(connection, "DELETE FROM postcodes"));
    ASSERT_TRUE(ExecuteUpdate(connection, std::string("INSERT INTO postcodes VALUES('1','") +
                                              "\xE9\x92" + "','X')"));
    EXPECT_EQ(QueryText(connection, "SELECT hex(suburb) FROM postcodes"), "C3A9E28099");
    // What another tool stored outside the code page comes back as "?".
    ASSERT_TRUE(ExecuteUpdate(connection, "UPDATE postcodes SET suburb = char(20013)"));
    EXPECT_EQ(QueryText(connection, "SELECT suburb FROM postcodes"), "?");
}

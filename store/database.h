#pragma once
// The small database layer through which all SQL runs. A connection holds
// the engine's handle and at most one prepared statement, the one the last
// StartQuery prepared. A connection of none (after a failed open) makes every
// operation fail harmlessly.
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tarvelo {

struct ConnectionCloser {
    void operator()(sqlite3* db) const;
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const;
};
using ConnectionHandle = std::unique_ptr<sqlite3, ConnectionCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

class DatabaseConnection {
  public:
    DatabaseConnection() = default;
    DatabaseConnection(DatabaseConnection&&) noexcept = default;
    DatabaseConnection& operator=(DatabaseConnection&& other) noexcept;
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;
    ~DatabaseConnection() = default;

    bool IsOpen() const { return db_ != nullptr; }
    bool HasStatement() const { return statement_ != nullptr; }

  private:
    friend DatabaseConnection OpenConnection(const std::string& path);
    friend bool ExecuteUpdate(DatabaseConnection& connection, std::string_view text);
    friend bool StartQuery(DatabaseConnection& connection, std::string_view text);
    friend bool NextRow(DatabaseConnection& connection);
    friend std::string ColumnText(const DatabaseConnection& connection, int column);
    friend void FinishQuery(DatabaseConnection& connection);
    friend void CloseConnection(DatabaseConnection& connection);

    // Declared in this order so that the statement is finalized before the
    // connection closes when the object goes away.
    ConnectionHandle db_;
    StatementHandle statement_;
};

// Busy time-out for locks held by other connections.
constexpr int kBusyTimeoutMs = 20000;

// Opens the existing database file at path (UTF-8, as the engine takes it)
// for reading and writing; never creates a file. Yields none on failure.
DatabaseConnection OpenConnection(const std::string& path);

// Finalizes the current statement, then runs every statement of text (a
// Windows-1252 text) to completion, discarding rows. Stops at the first
// failure, keeping the effect of the statements before it.
bool ExecuteUpdate(DatabaseConnection& connection, std::string_view text);

// Finalizes the current statement and prepares the first statement of text
// as the new current statement. A text with no statement yields true and
// leaves no current statement.
bool StartQuery(DatabaseConnection& connection, std::string_view text);

// Steps the current statement once; true while a row is ready.
bool NextRow(DatabaseConnection& connection);

// The column of the row that the last NextRow made ready, as Windows-1252
// text; empty for NULL, an out-of-range column, no statement or no row.
std::string ColumnText(const DatabaseConnection& connection, int column);

// Finalizes the current statement, if any.
void FinishQuery(DatabaseConnection& connection);

// Finalizes the current statement, then closes the connection.
void CloseConnection(DatabaseConnection& connection);

// The one table's schema statement.
inline constexpr std::string_view kCreateTableStatement = "CREATE TABLE IF NOT EXISTS postcodes("
                                                          "postcode TEXT, suburb TEXT, state TEXT)";

} // namespace tarvelo

#include "store/database.h"

#include "store/text_codec.h"

#include <sqlite3.h>

namespace tarvelo {

void ConnectionCloser::operator()(sqlite3* db) const {
    sqlite3_close(db);
}
void StatementFinalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

DatabaseConnection& DatabaseConnection::operator=(DatabaseConnection&& other) noexcept {
    if (this != &other) {
        statement_ = std::move(other.statement_);
        db_ = std::move(other.db_);
    }
    return *this;
}

DatabaseConnection OpenConnection(const std::string& path) {
    DatabaseConnection connection;
    if (path.empty()) {
        return connection;
    }
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        // A failed open may still hand back a handle that must be closed.
        sqlite3_close(db);
        return connection;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    connection.db_.reset(db);
    return connection;
}

bool ExecuteUpdate(DatabaseConnection& connection, std::string_view text) {
    connection.statement_.reset();
    if (!connection.db_) {
        return false;
    }
    const std::string sql = ToEngineText(text);
    const char* position = sql.c_str();
    for (;;) {
        sqlite3_stmt* raw = nullptr;
        const char* rest = nullptr;
        if (sqlite3_prepare_v2(connection.db_.get(), position, -1, &raw, &rest) != SQLITE_OK ||
            raw == nullptr) {
            sqlite3_finalize(raw);
            return false;
        }
        const StatementHandle statement(raw);
        int rc;
        do {
            rc = sqlite3_step(statement.get());
        } while (rc == SQLITE_ROW);
        if (rc != SQLITE_DONE) {
            return false;
        }
        position = rest;
        while (*position == ' ') {
            ++position;
        }
        if (*position == '\0') {
            return true;
        }
    }
}

bool StartQuery(DatabaseConnection& connection, std::string_view text) {
    connection.statement_.reset();
    if (!connection.db_) {
        return false;
    }
    const std::string sql = ToEngineText(text);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection.db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return false;
    }
    connection.statement_.reset(raw);
    return true;
}

bool NextRow(DatabaseConnection& connection) {
    return connection.statement_ && sqlite3_step(connection.statement_.get()) == SQLITE_ROW;
}

std::string ColumnText(const DatabaseConnection& connection, int column) {
    if (!connection.statement_) {
        return {};
    }
    sqlite3_stmt* statement = connection.statement_.get();
    // sqlite3_column_text is undefined for a statement without a row ready.
    if (sqlite3_data_count(statement) == 0 || column < 0 ||
        column >= sqlite3_column_count(statement)) {
        return {};
    }
    const auto* value = sqlite3_column_text(statement, column);
    if (value == nullptr) {
        return {};
    }
    const int bytes = sqlite3_column_bytes(statement, column);
    return FromEngineText(
        std::string_view(reinterpret_cast<const char*>(value), static_cast<std::size_t>(bytes)));
}

void FinishQuery(DatabaseConnection& connection) {
    connection.statement_.reset();
}

void CloseConnection(DatabaseConnection& connection) {
    connection.statement_.reset();
    connection.db_.reset();
}

} // namespace tarvelo

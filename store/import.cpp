#include "store/import.h"

#include "search/quotes.h"
#include "store/record_count.h"

namespace tarvelo {

namespace {

constexpr std::string_view kBeginTransaction = "Begin Transaction";
constexpr std::string_view kDeleteRows = "DELETE FROM postcodes";
constexpr std::string_view kCommit = "Commit";
constexpr std::string_view kRollback = "Rollback";

// Some failures make the engine roll back the whole transaction (an I/O
// error, a full disk, a constraint declared ON CONFLICT ROLLBACK), after which
// later inserts would each commit on their own onto the previous rows. A
// transaction can be begun only when none is open, so a begin that succeeds
// shows that ours is gone; the probe's own transaction is rolled back.
bool TransactionLost(DatabaseConnection& connection) {
    if (!ExecuteUpdate(connection, kBeginTransaction)) {
        return false;
    }
    ExecuteUpdate(connection, kRollback);
    return true;
}

// The status text of an imported record: its values as stored, joined by
// ", ". Built into one reused text, as it is written for every record.
void RecordText(const PostcodeRecord& record, std::string& text) {
    text.assign(record.postcode)
        .append(", ")
        .append(record.suburb)
        .append(", ")
        .append(record.state);
}

} // namespace

std::string BuildInsertStatement(const PostcodeRecord& record) {
    std::string statement = "INSERT INTO postcodes(postcode, suburb, state) VALUES('";
    statement += DoubleQuotes(record.postcode);
    statement += "','";
    statement += DoubleQuotes(record.suburb);
    statement += "','";
    statement += DoubleQuotes(record.state);
    statement += "')";
    return statement;
}

std::string ImportedCountMessage(std::string_view count) {
    std::string message = "There were (";
    message += count;
    message += ") records imported into the database.";
    return message;
}

void ImportRecords(DatabaseConnection& connection, ByteSource& source, StatusLine& status,
                   PostcodeRecord& record) {
    if (!ExecuteUpdate(connection, kBeginTransaction) || !ExecuteUpdate(connection, kDeleteRows)) {
        ExecuteUpdate(connection, kRollback);
        status.ShowStatus(StatusError, kImportDeleteFailedText);
        return;
    }
    RecordReader records(source);
    std::string text;
    while (records.Next(record)) {
        if (ExecuteUpdate(connection, BuildInsertStatement(record))) {
            RecordText(record, text);
            status.ShowStatus(StatusInfo, text);
            continue;
        }
        status.ShowStatus(StatusError, kImportRecordFailedText);
        if (TransactionLost(connection)) {
            status.ShowStatus(StatusError, kImportSaveFailedText);
            return;
        }
    }
    // A file cut short by a read error must not replace the previous rows.
    if (source.Failed() || !ExecuteUpdate(connection, kCommit)) {
        ExecuteUpdate(connection, kRollback);
        status.ShowStatus(StatusError, kImportSaveFailedText);
        return;
    }
    status.ShowStatus(StatusInfo, ImportedCountMessage(QueryText(connection, kCountQuery)));
}

} // namespace tarvelo

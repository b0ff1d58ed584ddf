#pragma once
// The import of a postcode file into the table, replacing its rows in one
// transaction: a failure at any point leaves the previous rows in place.
#include "store/csv_reader.h"
#include "store/database.h"
#include "store/status.h"

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr std::string_view kImportCancelledText =
    "No file to import as user cancelled the process.";
inline constexpr std::string_view kImportOpenFailedText =
    "Could not open the selected file from disk, file error?";
inline constexpr std::string_view kImportDeleteFailedText =
    "Could not delete the existing Tarvelo table.";
inline constexpr std::string_view kImportRecordFailedText = "Error importing the current record.";
inline constexpr std::string_view kImportSaveFailedText =
    "Could not save the imported records, the database keeps its previous records.";

// The INSERT statement for a record, each value quote-doubled.
std::string BuildInsertStatement(const PostcodeRecord& record);

// The final message, for the count of rows in the table (empty when unknown).
std::string ImportedCountMessage(std::string_view count);

// Replaces the table's rows with the records that source yields, reporting
// each record and the outcome on status. Runs once the file is open: begins a
// transaction, deletes the rows, inserts one row per record (a failed insert
// is reported and skipped) and commits; when the delete or the commit fails,
// the engine ends the transaction early, or the source stops at a read error,
// everything is rolled back and the previous rows stay. record holds the
// values of the last line read.
void ImportRecords(DatabaseConnection& connection, ByteSource& source, StatusLine& status,
                   PostcodeRecord& record);

} // namespace tarvelo

#pragma once
// Running a search statement and handing out its rows.
#include "store/database.h"
#include "store/postcode_record.h"

#include <functional>
#include <string_view>

namespace tarvelo {

constexpr int kSearchFailed = -1;

// Runs statement on the connection; for each row puts columns 0, 1 and 2
// into record (postcode, suburb, state) and passes it to addRow. Yields the
// number of rows, or kSearchFailed when the statement cannot be run. An
// error while stepping ends the rows like their end does. The statement is
// finished before it returns.
int RunSearchQuery(DatabaseConnection& connection, std::string_view statement,
                   PostcodeRecord& record,
                   const std::function<void(const PostcodeRecord&)>& addRow);

// The status text for a search that found count rows for the text as typed.
std::string MatchesMessage(int count, std::string_view searchText);

inline constexpr std::string_view kSearchFailedMessage =
    "The search query found no matches in the database.";

} // namespace tarvelo

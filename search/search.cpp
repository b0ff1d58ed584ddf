#include "search/search.h"

#include <string>

namespace tarvelo {

int RunSearchQuery(DatabaseConnection& connection, std::string_view statement,
                   PostcodeRecord& record,
                   const std::function<void(const PostcodeRecord&)>& addRow) {
    if (!StartQuery(connection, statement)) {
        return kSearchFailed;
    }
    int count = 0;
    while (NextRow(connection)) {
        record.postcode = ColumnText(connection, 0);
        record.suburb = ColumnText(connection, 1);
        record.state = ColumnText(connection, 2);
        addRow(record);
        ++count;
    }
    FinishQuery(connection);
    return count;
}

std::string MatchesMessage(int count, std::string_view searchText) {
    std::string message = std::to_string(count);
    message += " matches found for ";
    message += searchText;
    return message;
}

} // namespace tarvelo

#include "store/record_count.h"

namespace tarvelo {

std::string QueryText(DatabaseConnection& connection, std::string_view text) {
    std::string result;
    if (!StartQuery(connection, text)) {
        return result;
    }
    while (NextRow(connection)) {
        result = ColumnText(connection, 0);
    }
    return result;
}

std::string ReadyMessage(std::string_view count) {
    std::string message = "Tarvelo search is ready to work, There are (";
    message += count;
    message += ") records in the database.";
    return message;
}

} // namespace tarvelo

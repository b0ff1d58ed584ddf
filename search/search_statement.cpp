#include "search/search_statement.h"

#include "search/condition.h"
#include "search/quotes.h"

namespace tarvelo {
namespace {
constexpr std::string_view kAllFields = "All fields";
}

std::string_view FieldNameFor(int fieldIndex) {
    switch (fieldIndex) {
    case 0:
        return kAllFields;
    case 1:
        return "postcode";
    case 2:
        return "suburb";
    case 3:
        return "state";
    default:
        return {};
    }
}

std::string BuildSearchStatement(std::string_view label, int fieldIndex,
                                 std::string_view searchText) {
    const std::string condition = BuildCondition(label, DoubleQuotes(searchText));
    const std::string_view field = FieldNameFor(fieldIndex);
    std::string statement;
    if (field == kAllFields) {
        statement = "SELECT * FROM postcodes WHERE";
        statement += " postcode" + condition;
        statement += " OR suburb" + condition;
        statement += " OR state" + condition;
    } else {
        statement = "SELECT * FROM postcodes WHERE ";
        statement += field;
        statement += condition;
        statement += " ORDER BY suburb, state";
    }
    return statement;
}

} // namespace tarvelo

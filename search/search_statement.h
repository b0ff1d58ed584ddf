#pragma once
// The SELECT statement that a search runs.
#include <string>
#include <string_view>

namespace tarvelo {

// The column name for a field-list index: 0 stands for all three columns,
// 1-3 for postcode, suburb and state; any other index gives "".
std::string_view FieldNameFor(int fieldIndex);

// Builds the search statement for the chosen comparison label, field index
// and search text as typed (the text is quote-doubled here). One field is
// sorted by suburb then state; all fields are ORed and left unsorted.
std::string BuildSearchStatement(std::string_view label, int fieldIndex,
                                 std::string_view searchText);

} // namespace tarvelo

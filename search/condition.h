#pragma once
// Maps a comparison label of the operator list to the SQL fragment that
// follows a column name in the search's WHERE clause.
#include <string>
#include <string_view>

namespace tarvelo {

// text must already have its apostrophes doubled; "%" and "_" are left as
// LIKE wildcards. An unknown label (compared byte for byte) gives "".
std::string BuildCondition(std::string_view label, std::string_view text);

} // namespace tarvelo

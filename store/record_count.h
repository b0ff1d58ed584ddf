#pragma once
// The record count shown at start-up and after every import.
#include "store/database.h"

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr std::string_view kCountQuery =
    "Select COUNT(postcode) AS totalrecs FROM postcodes";

// Runs text as a query and yields column 0 of its last row, or the empty text
// when the query fails or yields no row. Leaves the statement in place; the
// next operation on the connection finalizes it.
std::string QueryText(DatabaseConnection& connection, std::string_view text);

// The text of the ready message, for the given count (empty when unknown).
std::string ReadyMessage(std::string_view count);

} // namespace tarvelo

#pragma once
#include "store/database.h"
#include "store/locations.h"

namespace tarvelo {

inline constexpr const char* kDatabaseOpenErrorCaption = "Database open error";

// Makes sure the database file exists (a missing one is created empty),
// opens the connection and creates the table. A failure shows one of the two
// "Database open error" boxes and yields none; it never ends the program.
DatabaseConnection OpenPostcodeDatabase(const Locations& locations);

} // namespace tarvelo

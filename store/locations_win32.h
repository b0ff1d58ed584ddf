#pragma once
#include "store/locations.h"

namespace tarvelo {

// Reads the current directory (whatever its length), works out the three
// locations and creates the data folder with any missing parents. The
// folder's creation is not checked: a failure shows when the database is
// opened.
Locations SetUpLocations();

} // namespace tarvelo

#pragma once
// Where the database lives: three locations fixed once at start-up.
#include <string>
#include <string_view>

namespace tarvelo {

struct Locations {
    std::string workingFolder; // the current directory, ending in a backslash
    std::string dataFolder;    // workingFolder + "Database\"
    std::string databaseFile;  // dataFolder + "Tarvelos v0.00.ptk"
};

// Builds the three locations from the current directory as read (empty when
// it could not be read, which leaves the data folder relative).
Locations LocationsFor(std::string_view currentDirectory);

} // namespace tarvelo

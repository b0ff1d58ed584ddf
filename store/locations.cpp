#include "store/locations.h"

namespace tarvelo {

Locations LocationsFor(std::string_view currentDirectory) {
    Locations locations;
    locations.workingFolder = std::string(currentDirectory);
    if (!currentDirectory.empty() && currentDirectory.back() != '\\') {
        locations.workingFolder += '\\';
    }
    locations.dataFolder = locations.workingFolder + "Database\\";
    locations.databaseFile = locations.dataFolder + "Tarvelos v0.00.ptk";
    return locations;
}

} // namespace tarvelo

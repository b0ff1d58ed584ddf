#include "store/locations_win32.h"

#include <windows.h>
#include <imagehlp.h>

#include <string>

namespace tarvelo {
namespace {

std::string CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0) {
        return {};
    }
    std::string directory(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, directory.data());
    if (length == 0 || length >= size) {
        return {};
    }
    directory.resize(length);
    return directory;
}

} // namespace

Locations SetUpLocations() {
    Locations locations = LocationsFor(CurrentDirectory());
    MakeSureDirectoryPathExists(locations.dataFolder.c_str());
    return locations;
}

} // namespace tarvelo

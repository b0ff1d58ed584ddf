// The three locations worked out from the current directory.
#include "store/locations.h"

#include <gtest/gtest.h>

using tarvelo::LocationsFor;

struct LocationCase {
    std::string current;
    std::string working;
};

class Locations : public ::testing::TestWithParam<LocationCase> {};

TEST_P(Locations, EndInOneBackslash) {
    const auto locations = LocationsFor(GetParam().current);
    EXPECT_EQ(locations.workingFolder, GetParam().working);
    EXPECT_EQ(locations.dataFolder, GetParam().working + "Database\\");
    EXPECT_EQ(locations.databaseFile, GetParam().working + "Database\\Tarvelos v0.00.ptk");
}

INSTANTIATE_TEST_SUITE_P(Folders, Locations,
                         ::testing::Values(LocationCase{"D:\\Data", "D:\\Data\\"},
                                           LocationCase{"D:\\", "D:\\"}, LocationCase{"", ""}));

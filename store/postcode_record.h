#pragma once
#include <string>

namespace tarvelo {

// The values of the line being imported or of the result row being listed.
struct PostcodeRecord {
    std::string postcode;
    std::string suburb;
    std::string state;
};

} // namespace tarvelo

#pragma once
// Apostrophe doubling for texts placed between apostrophes in SQL literals.
#include <string>
#include <string_view>

namespace tarvelo {

// Doubles every apostrophe (0x27); every other byte is copied.
std::string DoubleQuotes(std::string_view text);

// Replaces each pair of apostrophes by one, scanning left to right without
// overlapping pairs: three apostrophes give two, four give two.
std::string UndoubleQuotes(std::string_view text);

} // namespace tarvelo

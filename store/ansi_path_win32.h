#pragma once
#include <string>
#include <string_view>

namespace tarvelo {

// Converts a file name from the system's ANSI code page to UTF-8, the form
// in which the engine opens files, so that the name reaches the file system
// as the real folder name. Yields "" when the conversion fails.
std::string AnsiPathToUtf8(std::string_view ansi);

} // namespace tarvelo

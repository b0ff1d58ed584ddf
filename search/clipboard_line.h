#pragma once
// The line that a copied result row puts on the clipboard, and its
// confirmation.
#include <string>
#include <string_view>

namespace tarvelo {

// The fish that opens the window title and the copy confirmation, in code
// page 1252: "<°)))o><²³" and two spaces.
inline constexpr std::string_view kFishMark = "<\xB0)))o><\xB2\xB3  ";

// suburb, state and postcode, two spaces apart.
std::string ClipboardLine(std::string_view postcode, std::string_view suburb,
                          std::string_view state);

std::string CopyConfirmation(std::string_view clipboardLine);

inline constexpr std::string_view kNoSelectionMessage =
    "You have yo select a line for it to be copied.";

} // namespace tarvelo

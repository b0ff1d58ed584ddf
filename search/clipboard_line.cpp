#include "search/clipboard_line.h"

namespace tarvelo {

std::string ClipboardLine(std::string_view postcode, std::string_view suburb,
                          std::string_view state) {
    std::string line(suburb);
    line += "  ";
    line += state;
    line += "  ";
    line += postcode;
    return line;
}

std::string CopyConfirmation(std::string_view clipboardLine) {
    std::string message(kFishMark);
    message += clipboardLine;
    message += ", Copied to the clipboard";
    return message;
}

} // namespace tarvelo

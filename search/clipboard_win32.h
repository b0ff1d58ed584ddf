#pragma once
#include <string>

namespace tarvelo {

// Puts text on the clipboard as CF_TEXT. When the clipboard is held by
// another program, or the memory cannot be had, the clipboard keeps what it
// held; nothing is reported.
void WriteClipboardText(const std::string& text);

} // namespace tarvelo

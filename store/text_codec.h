#pragma once
// How the program's single-byte Windows-1252 texts cross into the database,
// which stores UTF-8, and back.
#include <string>
#include <string_view>

namespace tarvelo {

// Windows-1252 bytes to UTF-8. Bytes 0x80-0x9F become the characters that
// code page 1252 gives them (0x80 is U+20AC); its five undefined bytes map to
// the C1 control of the same value, as Windows does.
std::string ToEngineText(std::string_view ansi);

// UTF-8 back to Windows-1252. Every text that ToEngineText produced comes
// back byte for byte; U+0080-U+009F come back as the byte of the same value
// (files written by the older ISO-8859-1 mapping read unchanged); any other
// character that code page 1252 lacks becomes "?"; malformed input is
// handled by the rules documented in text_codec.cpp.
std::string FromEngineText(std::string_view utf8);

} // namespace tarvelo

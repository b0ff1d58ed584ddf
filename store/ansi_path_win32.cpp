#include "store/ansi_path_win32.h"

#include <windows.h>

namespace tarvelo {

std::string AnsiPathToUtf8(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(ansi.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, nullptr, 0);
    if (wide <= 0) {
        return {};
    }
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), inLength, utf16.data(), wide);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

} // namespace tarvelo

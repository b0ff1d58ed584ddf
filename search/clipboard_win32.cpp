#include "search/clipboard_win32.h"

#include <windows.h>

#include <cstring>

namespace tarvelo {

void WriteClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    void* bytes = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (bytes == nullptr) {
        // The clipboard keeps what it held rather than getting unset bytes.
        if (memory != nullptr) {
            GlobalFree(memory);
        }
        CloseClipboard();
        return;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    EmptyClipboard();
    // From here the clipboard owns the memory; a refusal leaves it to us.
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
        GlobalFree(memory);
    }
    CloseClipboard();
}

} // namespace tarvelo

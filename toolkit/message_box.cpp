#include "toolkit/message_box.h"

namespace toolkit {

HWND ForegroundWindowOfThisProcess() {
    HWND window = GetForegroundWindow();
    DWORD process = 0;
    if (window != nullptr) {
        GetWindowThreadProcessId(window, &process);
    }
    return process == GetCurrentProcessId() ? window : nullptr;
}

void ShowMessageBox(const char* caption, const char* text) {
    MessageBoxA(ForegroundWindowOfThisProcess(), text, caption, MB_OK);
}

} // namespace toolkit

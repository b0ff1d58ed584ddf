#pragma once
// Modal message boxes owned by the program's window when it is in front.
#include <windows.h>

namespace toolkit {

// The foreground window when it belongs to this process, otherwise null.
HWND ForegroundWindowOfThisProcess();

// A modal MB_OK box with no icon, owned as above.
void ShowMessageBox(const char* caption, const char* text);

} // namespace toolkit

#include "program_runner.h"

#include <shellapi.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace tarvelo_test {

TempFolder::TempFolder(const std::string& name) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tarvelo-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++) + "-" + name + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    // SHFileOperation wants a double-NUL-terminated list without the slash.
    std::string from = path_.substr(0, path_.size() - 1);
    from.push_back('\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationA(&op);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(10);
    }
}

Program::Program(const std::string& workingFolder) {
    char exe[MAX_PATH] = {};
    if (GetEnvironmentVariableA("TARVELO_EXE", exe, MAX_PATH) == 0) {
        return;
    }
    // The build passes a Unix path; Wine maps it to a drive path.
    std::string command = std::string("\"") + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &process_)) {
        process_ = {};
    }
}

Program::~Program() {
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, kWaitMs);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

namespace {
struct Search {
    DWORD process;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (search->caption != nullptr && WindowText(window) != search->caption) {
        return TRUE;
    }
    if (search->className != nullptr) {
        char name[256] = {};
        GetClassNameA(window, name, sizeof(name));
        if (std::string(name) != search->className) {
            return TRUE;
        }
    }
    search->found = window;
    return FALSE;
}
} // namespace

HWND Program::FindTopWindow(const char* className, const char* caption) const {
    Search search{process_.dwProcessId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForTopWindow(const char* className, const char* caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTopWindow(className, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND Program::WaitForMainWindow(DWORD timeoutMs) const {
    return WaitForTopWindow("WindowClass_1", nullptr, timeoutMs);
}

DWORD Program::WaitForExit(DWORD timeoutMs) const {
    if (process_.hProcess == nullptr ||
        WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::string MessageBoxText(HWND box) {
    // A message box shows its text in the static control with id 0xFFFF.
    char text[4096] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

void PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace tarvelo_test

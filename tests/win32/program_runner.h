#pragma once
// Starts the real tarvelo.exe in a folder of the test's choosing and watches
// it from outside: its windows, its message boxes and its exit code. Every
// wait polls a condition with a time-out.
#include <windows.h>

#include <functional>
#include <string>

namespace tarvelo_test {

constexpr DWORD kWaitMs = 20000;

// A fresh, empty folder under the temporary folder, removed with its
// contents afterwards. name may hold any ANSI character.
class TempFolder {
  public:
    explicit TempFolder(const std::string& name);
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::string& path() const { return path_; } // ends in a backslash

  private:
    std::string path_;
};

// Polls condition every 10 ms until it holds or timeoutMs passes.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

class Program {
  public:
    // Starts the program named by the TARVELO_EXE environment variable with
    // workingFolder as its current directory.
    explicit Program(const std::string& workingFolder);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program(); // ends the process if it still runs

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    HANDLE handle() const { return process_.hProcess; }

    // The visible top-level window of this process whose caption is caption
    // (or whose class is className when caption is null), or null.
    HWND FindTopWindow(const char* className, const char* caption) const;
    HWND WaitForTopWindow(const char* className, const char* caption,
                          DWORD timeoutMs = kWaitMs) const;
    HWND WaitForMainWindow(DWORD timeoutMs = kWaitMs) const;

    // The exit code once the process has ended, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs = kWaitMs) const;

  private:
    PROCESS_INFORMATION process_{};
};

// The text of a message box, and its OK button pressed.
std::string MessageBoxText(HWND box);
void PressOk(HWND box);

std::string WindowText(HWND window);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

} // namespace tarvelo_test

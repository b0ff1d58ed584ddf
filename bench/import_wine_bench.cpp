// Times the "Update database" command of the Windows build, through the real
// window, the real file dialog and the real status bar: the main window is
// built by the real start-up in a fresh folder, the command is chosen from
// the menu, a helper thread types the file's path into the dialog and presses
// Return, and the time runs from the dialog's end to the final message. Not a
// test; prints the time (the last field of its first line, in ms).
// Usage: import_wine_bench [FILE.csv] (default sample-data/pc-full.csv)
#include "app/application.h"
#include "app/ids.h"
#include "tests/win32/program_runner.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

using namespace tarvelo;

namespace {

constexpr const char* kDialogTitle = "Select Australia Post(tm) postcode file";
constexpr int kFileNameCombo = 0x47C; // cmb13, with an edit inside

// When the file dialog's window went away: GetOpenFileNameA returns just after.
std::atomic<HWND> dialogWindow{nullptr};
LARGE_INTEGER dialogEnded{};

LRESULT CALLBACK WatchDialogEnd(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && dialogWindow != nullptr &&
        reinterpret_cast<HWND>(wParam) == dialogWindow) {
        QueryPerformanceCounter(&dialogEnded);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK MatchEdit(HWND window, LPARAM data) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "Edit") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
        std::string(name) != "#32770" || tarvelo_test::WindowText(window) != kDialogTitle) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

// Waits for the dialog, puts path into its file name box and presses Return.
// Ends the process when the dialog does not come or does not go, so that the
// benchmark never hangs.
void AnswerDialog(const std::string& path, LARGE_INTEGER& returnPressed) {
    HWND dialog = nullptr;
    if (!tarvelo_test::WaitFor([&] {
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&dialog));
            return dialog != nullptr;
        })) {
        std::fprintf(stderr, "import_wine_bench: no file dialog\n");
        ExitProcess(1);
    }
    dialogWindow = dialog;
    HWND edit = nullptr;
    EnumChildWindows(GetDlgItem(dialog, kFileNameCombo), MatchEdit,
                     reinterpret_cast<LPARAM>(&edit));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    QueryPerformanceCounter(&returnPressed);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
    if (!tarvelo_test::WaitFor([&] { return !IsWindow(dialog); })) {
        std::fprintf(stderr, "import_wine_bench: the file dialog did not take the path\n");
        ExitProcess(1);
    }
}

std::string StatusText(HWND bar) {
    char text[1024] = {};
    if (LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0)) < sizeof(text)) {
        SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    }
    return text;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    char file[MAX_PATH] = {};
    GetFullPathNameA(argc > 1 ? argv[1] : "sample-data\\pc-full.csv", MAX_PATH, file, nullptr);
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "import_wine_bench: no %s (run make sample-data)\n", file);
        return 1;
    }
    tarvelo_test::TempFolder folder("import-bench");
    SetCurrentDirectoryA(folder.path().c_str());
    Application& app = App();
    if (!StartUp(app)) {
        std::fprintf(stderr, "import_wine_bench: the main window could not be built\n");
        return 1;
    }
    HWND bar = app.gui.StatusBarHandle(MainStatusBar);

    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchDialogEnd, nullptr, GetCurrentThreadId());
    LARGE_INTEGER returnPressed{};
    std::thread answer(AnswerDialog, std::string(file), std::ref(returnPressed));
    PostMessageA(app.gui.WindowHandle(MainWindow), WM_COMMAND, MAKEWPARAM(MenuUpdateDatabase, 0),
                 0);
    for (;;) {
        const toolkit::Event event = app.gui.WaitForEvent();
        if (event.kind == toolkit::EventCommand && event.command == MenuUpdateDatabase) {
            Dispatch(app, event);
            break;
        }
    }
    LARGE_INTEGER ended;
    QueryPerformanceCounter(&ended);
    answer.join();
    UnhookWindowsHookEx(hook);

    const std::string status = StatusText(bar);
    ShutDown(app);
    SetCurrentDirectoryA("\\");
    if (dialogEnded.QuadPart == 0 || status.rfind("Info: There were (", 0) != 0) {
        std::fprintf(stderr, "import_wine_bench: the import did not run: %s\n", status.c_str());
        return 1;
    }
    std::printf("import_wine_bench: %s: from the dialog's end to the final message %.1f ms\n", file,
                Milliseconds(dialogEnded, ended));
    std::printf("import_wine_bench: from Return in the dialog: %.1f ms; final message: %s\n",
                Milliseconds(returnPressed, ended), status.c_str());
    return 0;
}

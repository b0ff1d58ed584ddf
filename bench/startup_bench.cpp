// Times tarvelo.exe from process start to the ready message in its status
// line, over several runs in a fresh folder each, and prints the median.
// Not a test: `make bench` runs it under Wine.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND bar;
};

BOOL CALLBACK MatchStatusBar(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process) {
        if (HWND bar = FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr)) {
            search->bar = bar;
            return FALSE;
        }
    }
    return TRUE;
}

HWND FindStatusBar(DWORD process) {
    Search search{process, nullptr};
    EnumWindows(MatchStatusBar, reinterpret_cast<LPARAM>(&search));
    return search.bar;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench TARVELO_EXE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::vector<double> times;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; ++run) {
        const std::string folder = std::string(temp) + "tarvelo-startup-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(run);
        CreateDirectoryA(folder.c_str(), nullptr);
        std::string command = std::string("\"") + argv[1] + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process)) {
            std::fprintf(stderr, "cannot start %s\n", argv[1]);
            return 1;
        }
        // The status line is empty until the ready message; its length can
        // be read from another process.
        HWND bar = nullptr;
        LARGE_INTEGER ready{};
        for (int i = 0; i < 200000; ++i) {
            if (bar == nullptr) {
                bar = FindStatusBar(process.dwProcessId);
            }
            if (bar != nullptr && LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0)) > 0) {
                QueryPerformanceCounter(&ready);
                break;
            }
            Sleep(1);
        }
        times.push_back(static_cast<double>(ready.QuadPart - start.QuadPart) * 1000.0 /
                        static_cast<double>(frequency.QuadPart));
        if (HWND window = GetParent(bar)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::printf("run %d: %.1f ms\n", run + 1, times.back());
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to ready message: median %.1f ms over %d runs\n", times[times.size() / 2],
                runs);
    return 0;
}

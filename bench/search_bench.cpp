// Times the search command in the real main window, built through the real
// start-up in a fresh folder, on a table filled from a postcode file: from
// the command to the status line, for a search that lists every row and for
// a single postcode, and where the time of the full list goes. Not a test;
// prints the medians. Usage: search_bench [FILE.csv] [RUNS]
// (default sample-data/pc-full.csv, 7 runs).
#include "app/application.h"
#include "app/commands.h"
#include "app/ids.h"
#include "search/search.h"
#include "search/search_statement.h"
#include "store/import.h"
#include "store/record_count.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace tarvelo;

namespace {

class Silent : public StatusLine {
  public:
    void ShowStatus(int, std::string_view) override {}
};

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Handles every waiting message, as the loop would between commands: the
// repaint that the search leaves behind.
void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string StatusText(HWND bar) {
    char text[512] = {};
    if (LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0)) < sizeof(text)) {
        SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string file = argc > 1 ? argv[1] : "sample-data/pc-full.csv";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::ifstream input(file, std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "search_bench: cannot open %s (run make sample-data)\n", file.c_str());
        return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(input)),
                            std::istreambuf_iterator<char>());

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + "tarvelo-search-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());

    Application& app = App();
    if (!StartUp(app)) {
        std::fprintf(stderr, "search_bench: the main window could not be created\n");
        return 1;
    }
    Drain();
    MemorySource source(bytes);
    Silent silent;
    ImportRecords(app.database, source, silent, app.record);
    std::printf("search_bench: %s rows from %s, %d runs each\n",
                QueryText(app.database, kCountQuery).c_str(), file.c_str(), runs);

    toolkit::Toolkit& gui = app.gui;
    HWND list = gui.ControlHandle(MainWindow, ResultList);
    HWND bar = gui.StatusBarHandle(MainStatusBar);
    const auto choose = [&](int label, int field, const char* text) {
        SendMessageA(gui.ControlHandle(MainWindow, OperatorBox), CB_SETCURSEL, label, 0);
        SendMessageA(gui.ControlHandle(MainWindow, FieldBox), CB_SETCURSEL, field, 0);
        SetWindowTextA(gui.ControlHandle(MainWindow, SearchTextBox), text);
    };

    // Where the time of the full list goes: the query alone, then each list
    // operation alone over as many rows, with repainting off as the command
    // turns it off; then the same list operations handed straight to the
    // list view's own window procedure, past the subclass through which the
    // list's balloon tip watches its mouse messages.
    const std::string statement = BuildSearchStatement("Sounds like", 0, "");
    std::vector<PostcodeRecord> rows;
    PostcodeRecord record;
    const auto send = [list](UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(list, message, wParam, lParam);
    };
    const auto classProcedure = reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC));
    const auto direct = [list, classProcedure](UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcA(classProcedure, list, message, wParam, lParam);
    };
    struct FillTimes {
        double count, insert, texts;
    };
    // Fills the cleared list with rows, repainting off, timing each
    // operation over all rows apart: the count that was once asked before
    // each row, the row's insertion, and its two further columns.
    const auto fill = [&](const auto& call) {
        gui.ClearList(MainWindow, ResultList);
        Drain();
        LockWindowUpdate(list);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        FillTimes times{};
        times.count = Milliseconds([&] {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                call(LVM_GETITEMCOUNT, 0, 0);
            }
        });
        times.insert = Milliseconds([&] {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                LVITEMA item{};
                item.mask = LVIF_TEXT | LVIF_IMAGE;
                item.iItem = INT_MAX;
                item.pszText = rows[i].postcode.data();
                item.iImage = 0;
                call(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            }
        });
        times.texts = Milliseconds([&] {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                LVITEMA sub{};
                sub.iSubItem = 1;
                sub.pszText = rows[i].suburb.data();
                call(LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
                sub.iSubItem = 2;
                sub.pszText = rows[i].state.data();
                call(LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
            }
        });
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        LockWindowUpdate(nullptr);
        Drain();
        return times;
    };

    // The runs interleave every measurement, so that the medians share the
    // machine's conditions.
    std::vector<double> fullEmpty, fullPaint, fullReplacing, single;
    std::vector<double> query, clear, count, insert, texts, directFill;
    std::string fullStatus, singleStatus;
    long fullRows = 0, singleRows = 0;
    for (int run = 0; run < runs; ++run) {
        choose(0, 0, ""); // Sounds like, All fields, empty text
        gui.ClearList(MainWindow, ResultList);
        Drain();
        fullEmpty.push_back(Milliseconds([&] { RunSearch(app); }));
        fullPaint.push_back(Milliseconds(Drain));
        fullRows = static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        fullStatus = StatusText(bar);
        fullReplacing.push_back(Milliseconds([&] { RunSearch(app); }));
        Drain();

        choose(1, 1, "3000"); // Equal to, Postcode, 3000
        gui.ClearList(MainWindow, ResultList);
        Drain();
        single.push_back(Milliseconds([&] { RunSearch(app); }));
        Drain();
        singleRows = static_cast<long>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        singleStatus = StatusText(bar);

        rows.clear();
        query.push_back(Milliseconds([&] {
            RunSearchQuery(app.database, statement, record,
                           [&](const PostcodeRecord& row) { rows.push_back(row); });
        }));
        const FillTimes sent = fill(send);
        count.push_back(sent.count);
        insert.push_back(sent.insert);
        texts.push_back(sent.texts);
        clear.push_back(Milliseconds([&] { gui.ClearList(MainWindow, ResultList); }));
        Drain();
        const FillTimes called = fill(direct);
        directFill.push_back(called.insert + called.texts);
        gui.ClearList(MainWindow, ResultList);
        Drain();
    }
    std::printf("search_bench: Sounds like, All fields, empty text: %ld rows; RunSearch %.1f ms "
                "on an empty list, %.1f ms replacing the full list; repaint afterwards %.1f ms\n",
                fullRows, Median(fullEmpty), Median(fullReplacing), Median(fullPaint));
    std::printf("search_bench:   status line: %s\n", fullStatus.c_str());
    std::printf("search_bench: Equal to, Postcode, 3000: %ld rows; RunSearch %.1f ms\n", singleRows,
                Median(single));
    std::printf("search_bench:   status line: %s\n", singleStatus.c_str());
    std::printf("search_bench: the full list, %zu rows, repainting off: query %.1f ms, "
                "LVM_GETITEMCOUNT (no longer asked) %.1f ms, LVM_INSERTITEMA %.1f ms, "
                "LVM_SETITEMTEXTA x2 %.1f ms, LVM_DELETEALLITEMS %.1f ms\n",
                rows.size(), Median(query), Median(count), Median(insert), Median(texts),
                Median(clear));
    std::printf("search_bench:   LVM_INSERTITEMA and LVM_SETITEMTEXTA x2 past the list's "
                "subclass: %.1f ms\n",
                Median(directFill));
    const bool found = fullStatus.rfind("Info: ", 0) == 0 && singleStatus.rfind("Info: ", 0) == 0;

    ShutDown(app);
    SetCurrentDirectoryA(temp);
    const std::string database = folder + "\\Database\\Tarvelos v0.00.ptk";
    DeleteFileA(database.c_str());
    RemoveDirectoryA((folder + "\\Database").c_str());
    RemoveDirectoryA(folder.c_str());
    return found ? 0 : 1;
}

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

struct Choice {
    const char* name;
    int label; // entry of the comparison list
    int field;
    const char* text;
};

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
    const Choice choices[] = {{"Sounds like, All fields, empty text", 0, 0, ""},
                              {"Equal to, Postcode, 3000", 1, 1, "3000"}};
    int failures = 0;
    for (const Choice& choice : choices) {
        SendMessageA(gui.ControlHandle(MainWindow, OperatorBox), CB_SETCURSEL, choice.label, 0);
        SendMessageA(gui.ControlHandle(MainWindow, FieldBox), CB_SETCURSEL, choice.field, 0);
        SetWindowTextA(gui.ControlHandle(MainWindow, SearchTextBox), choice.text);
        std::vector<double> fromEmpty, replacing, paint;
        for (int run = 0; run < runs; ++run) {
            gui.ClearList(MainWindow, ResultList);
            Drain();
            fromEmpty.push_back(Milliseconds([&] { RunSearch(app); }));
            paint.push_back(Milliseconds(Drain));
            replacing.push_back(
                Milliseconds([&] { RunSearch(app); })); // clears the full list first
            Drain();
        }
        const auto rows = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        std::printf("search_bench: %s: %ld rows; RunSearch %.1f ms on an empty list, %.1f ms "
                    "replacing the list; repaint afterwards %.1f ms\n",
                    choice.name, static_cast<long>(rows), Median(fromEmpty), Median(replacing),
                    Median(paint));
        std::printf("search_bench:   status line: %s\n", StatusText(bar).c_str());
        failures += StatusText(bar).rfind("Info: ", 0) == 0 ? 0 : 1;
    }

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
    std::vector<double> query, clear, count, insert, texts, directFill;
    for (int run = 0; run < runs; ++run) {
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
    std::printf("search_bench: the full list, %zu rows, repainting off: query %.1f ms, "
                "LVM_GETITEMCOUNT (no longer asked) %.1f ms, LVM_INSERTITEMA %.1f ms, "
                "LVM_SETITEMTEXTA x2 %.1f ms, "
                "LVM_DELETEALLITEMS %.1f ms\n",
                rows.size(), Median(query), Median(count), Median(insert), Median(texts),
                Median(clear));
    std::printf("search_bench:   LVM_INSERTITEMA and LVM_SETITEMTEXTA x2 past the list's "
                "subclass: %.1f ms\n",
                Median(directFill));

    ShutDown(app);
    SetCurrentDirectoryA(temp);
    const std::string database = folder + "\\Database\\Tarvelos v0.00.ptk";
    DeleteFileA(database.c_str());
    RemoveDirectoryA((folder + "\\Database").c_str());
    RemoveDirectoryA(folder.c_str());
    return failures == 0 ? 0 : 1;
}

// The "Update database" command chosen from the menu, against the real file
// dialog. A helper thread drives the modal dialog as a person would: it types
// the path into the file name box and presses Return, or presses Cancel.
#include "window_fixture.h"

#include "store/ansi_path_win32.h"
#include "store/record_count.h"

#include <commctrl.h>
#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <thread>

using namespace tarvelo_test;

namespace {

constexpr const char* kDialogTitle = "Select Australia Post(tm) postcode file";
constexpr int kFilterCombo = 0x470;   // cmb1 of the Explorer-style dialog
constexpr int kLookInCombo = 0x471;   // cmb2, the folder shown
constexpr int kFileNameCombo = 0x47C; // cmb13, with an edit inside

// The table's rows in insertion order, "postcode|suburb|state" joined by ';'.
constexpr const char* kRowsQuery =
    "SELECT group_concat(postcode || '|' || suburb || '|' || state, ';') "
    "FROM (SELECT * FROM postcodes ORDER BY rowid)";

constexpr const char* kPreviousRows = "4000|BRISBANE|QLD;4001|BRISBANE CITY|QLD";

// A small Australia Post file: the heading, an empty line, an apostrophe
// doubled in the file and a postcode with a leading zero.
constexpr const char* kFixture = "\"Pcode\",\"Locality\",\"State\",\"Comments\"\r\n"
                                 "\"0800\",\"DARWIN\",\"NT\",\"\"\r\n"
                                 "\r\n"
                                 "\"2000\",\"O''NEIL\",\"NSW\",\"\"\r\n"
                                 "\"3000\",\"MELBOURNE\",\"VIC\",\"\"\r\n";
constexpr const char* kFixtureRows = "0800|DARWIN|NT;2000|O'NEIL|NSW;3000|MELBOURNE|VIC";

struct DialogSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::string(name) == "#32770" && WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Adds a visible top-level window of this process to a text of them.
BOOL CALLBACK ListWindow(HWND window, LPARAM data) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        *reinterpret_cast<std::string*>(data) +=
            std::string(" [") + name + " \"" + WindowText(window) + "\"]";
    }
    return TRUE;
}

// The visible dialog of this process with the given caption, or null.
HWND FindDialogOfThisProcess(const char* caption) {
    DialogSearch search{caption, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

// The edit inside the dialog's file name box (Wine nests it in a ComboBox
// inside a ComboBoxEx32, both with the box's id).
HWND FileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    HWND edit = nullptr;
    EnumChildWindows(box, MatchEdit, reinterpret_cast<LPARAM>(&edit));
    return edit;
}

// What the helper thread saw of the file dialog and did with it.
struct DialogSeen {
    bool shown = false;
    std::string title;
    std::vector<std::string> filters;
    std::vector<std::string> typed;  // the file name box's text at each Return
    std::vector<std::string> places; // the folder shown after each folder typed
    bool closed = false;
    std::string windows; // this process's windows when no dialog came
};

void PressReturn(HWND target) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, VK_RETURN, 1 | scan);
    PostMessageA(target, WM_KEYUP, VK_RETURN, 1 | scan | (1u << 30) | (1u << 31));
}

// Waits on its own thread for the file dialog, then gives it the answers in
// turn: each is typed into the file name box and Return is pressed (a folder
// is opened, a file chosen); an empty answer presses Cancel. A dialog still
// open after the time-out is cancelled, so that a test never hangs.
class FileDialogDriver {
  public:
    explicit FileDialogDriver(std::vector<std::string> answers) : answers_(std::move(answers)) {
        thread_ = std::thread([this] { Drive(); });
    }
    ~FileDialogDriver() { Join(); }
    FileDialogDriver(const FileDialogDriver&) = delete;
    FileDialogDriver& operator=(const FileDialogDriver&) = delete;

    const DialogSeen& Seen() {
        Join();
        return seen_;
    }

  private:
    void Join() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    void Drive() {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindDialogOfThisProcess(kDialogTitle)) != nullptr; })) {
            EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&seen_.windows));
            return;
        }
        seen_.shown = true;
        seen_.title = WindowText(dialog);
        HWND filter = GetDlgItem(dialog, kFilterCombo);
        const LRESULT count = SendMessageA(filter, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256] = {};
            SendMessageA(filter, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            seen_.filters.push_back(text);
        }
        HWND edit = FileNameEdit(dialog);
        HWND place = GetDlgItem(dialog, kLookInCombo);
        for (std::size_t i = 0; i < answers_.size(); ++i) {
            const std::string& answer = answers_[i];
            if (answer.empty()) {
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                break;
            }
            const std::string placeBefore = WindowText(place);
            for (char c : answer) {
                PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
            }
            WaitFor([&] { return WindowText(edit) == answer; });
            seen_.typed.push_back(WindowText(edit));
            PressReturn(edit);
            if (i + 1 < answers_.size()) {
                // A folder: the dialog shows it before the next answer.
                WaitFor([&] { return WindowText(place) != placeBefore; });
                seen_.places.push_back(WindowText(place));
            }
        }
        seen_.closed = WaitFor([&] { return !IsWindow(dialog); });
        if (!seen_.closed) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            WaitFor([&] { return !IsWindow(dialog); });
        }
    }

    std::vector<std::string> answers_;
    DialogSeen seen_;
    std::thread thread_;
};

std::string CurrentDirectory() {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    return current;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

class ImportCommandTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(tarvelo::ExecuteUpdate(app().database,
                                           "INSERT INTO postcodes(postcode, suburb, state) VALUES"
                                           "('4000','BRISBANE','QLD'),"
                                           "('4001','BRISBANE CITY','QLD')"));
        csvFolder_ = std::make_unique<TempFolder>("csv");
        WriteFile(csvFolder_->path() + "pc-small.csv", kFixture);
    }

    void TearDown() override {
        csvFolder_.reset();
        MainWindowTest::TearDown();
    }

    // The fixture's folder, as a person types it: without the last backslash.
    std::string CsvFolder() const {
        return csvFolder_->path().substr(0, csvFolder_->path().size() - 1);
    }
    std::string CsvFolderName() const {
        const std::string folder = CsvFolder();
        return folder.substr(folder.rfind('\\') + 1);
    }

    // Chooses "Files" > "Update database" and lets the driver answer the
    // dialog; yields what the driver saw.
    DialogSeen RunImport(std::vector<std::string> answers) {
        FileDialogDriver driver(std::move(answers));
        PostMessageA(window(), WM_COMMAND, MAKEWPARAM(tarvelo::MenuUpdateDatabase, 0), 0);
        PumpAndDispatch();
        return driver.Seen();
    }

    // Lists the two previous rows with a search for the state QLD.
    void SearchForQueensland() {
        SendMessageA(control(tarvelo::OperatorBox), CB_SETCURSEL, 1, 0); // Equal to
        SendMessageA(control(tarvelo::FieldBox), CB_SETCURSEL, 3, 0);    // State
        SetWindowTextA(control(tarvelo::SearchTextBox), "QLD");
        SetFocus(control(tarvelo::SearchTextBox));
        for (const toolkit::Event& event : PressKey(VK_RETURN)) {
            tarvelo::Dispatch(app(), event);
        }
    }

    std::vector<std::string> ListedRows() {
        std::vector<std::string> rows;
        const auto count = SendMessageA(control(tarvelo::ResultList), LVM_GETITEMCOUNT, 0, 0);
        for (int row = 0; row < count; ++row) {
            std::string text;
            for (int column = 0; column < 3; ++column) {
                text +=
                    (column > 0 ? "|" : "") +
                    app().gui.ListCellText(tarvelo::MainWindow, tarvelo::ResultList, row, column);
            }
            rows.push_back(text);
        }
        return rows;
    }

    std::string TableRows() { return tarvelo::QueryText(app().database, kRowsQuery); }

    std::unique_ptr<TempFolder> csvFolder_;
};

void ExpectTheFileDialog(const DialogSeen& seen) {
    ASSERT_TRUE(seen.shown) << "no dialog titled " << kDialogTitle << "; windows:" << seen.windows;
    EXPECT_EQ(seen.title, kDialogTitle);
    EXPECT_EQ(seen.filters, std::vector<std::string>{"CSV (*.csv)"});
    EXPECT_TRUE(seen.closed) << "the dialog did not take the answer";
}

// "{csv}" in an answer stands for the fixture's folder.
constexpr const char* kCsv = "{csv}";

struct ImportCase {
    const char* name;
    std::vector<std::string> answers; // "": Cancel
    const char* status;
    const char* rows;
    tarvelo::PostcodeRecord record;
};

void PrintTo(const ImportCase& c, std::ostream* out) {
    *out << c.name;
}

class ImportCommand : public ImportCommandTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportCommand, ReplacesTheRowsOrKeepsThemAndKeepsTheListedRows) {
    const ImportCase& c = GetParam();
    SearchForQueensland();
    const std::vector<std::string> listed = {"4000|BRISBANE|QLD", "4001|BRISBANE CITY|QLD"};
    ASSERT_EQ(ListedRows(), listed);
    const std::string before = CurrentDirectory();
    std::vector<std::string> answers;
    std::vector<std::string> typed;
    for (std::string answer : c.answers) {
        if (answer.rfind(kCsv, 0) == 0) {
            answer.replace(0, std::string(kCsv).size(), CsvFolder());
        }
        answers.push_back(answer);
        if (!answer.empty()) {
            typed.push_back(answer);
        }
    }

    const DialogSeen seen = RunImport(answers);

    ExpectTheFileDialog(seen);
    EXPECT_EQ(seen.typed, typed);
    for (const std::string& place : seen.places) {
        EXPECT_EQ(place, CsvFolderName()) << "the typed folder was not opened";
    }
    EXPECT_EQ(StatusText(), c.status);
    EXPECT_EQ(TableRows(), c.rows);
    EXPECT_EQ(app().record.postcode, c.record.postcode);
    EXPECT_EQ(app().record.suburb, c.record.suburb);
    EXPECT_EQ(app().record.state, c.record.state);
    EXPECT_EQ(ListedRows(), listed);
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_FALSE(app().openFile) << "the file stays open";
}

constexpr const char* kImported = "Info: There were (3) records imported into the database.";
constexpr const char* kCancelled = "Error: No file to import as user cancelled the process.";
const tarvelo::PostcodeRecord kLastListed{"4001", "BRISBANE CITY", "QLD"};

INSTANTIATE_TEST_SUITE_P(
    Answers, ImportCommand,
    ::testing::Values(
        ImportCase{"FolderThenFileName",
                   {kCsv, "pc-small.csv"},
                   kImported,
                   kFixtureRows,
                   {"3000", "MELBOURNE", "VIC"}},
        ImportCase{"FullPath",
                   {std::string(kCsv) + "\\pc-small.csv"},
                   kImported,
                   kFixtureRows,
                   {"3000", "MELBOURNE", "VIC"}},
        // A cancelled import leaves the last row that the search listed in
        // the record.
        ImportCase{"Cancel", {""}, kCancelled, kPreviousRows, kLastListed},
        ImportCase{"CancelInAnotherFolder", {kCsv, ""}, kCancelled, kPreviousRows, kLastListed},
        ImportCase{"FileThatDoesNotExist",
                   {std::string(kCsv) + "\\no-such-file.csv"},
                   "Error: Could not open the selected file from disk, file error?",
                   kPreviousRows,
                   kLastListed}),
    [](const ::testing::TestParamInfo<ImportCase>& info) { return info.param.name; });

// Another connection holds the database's write lock for longer than the
// busy time-out: the import waits it out, gives up and leaves the rows.
TEST_F(ImportCommandTest, LockedDatabaseKeepsItsRows) {
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(tarvelo::AnsiPathToUtf8(app().locations.databaseFile).c_str(), &raw,
                        SQLITE_OPEN_READWRITE, nullptr);
    SqliteHandle other(raw);
    ASSERT_EQ(opened, SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other.get(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string file = csvFolder_->path() + "pc-small.csv";

    const DWORD start = GetTickCount();
    const DialogSeen seen = RunImport({file});
    const DWORD waited = GetTickCount() - start;

    ExpectTheFileDialog(seen);
    EXPECT_EQ(StatusText(), "Error: Could not delete the existing Tarvelo table.");
    EXPECT_GE(waited, static_cast<DWORD>(tarvelo::kBusyTimeoutMs - 500)) << "no wait for the lock";
    EXPECT_FALSE(app().openFile) << "the file stays open";
    ASSERT_EQ(sqlite3_exec(other.get(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    other.reset();
    EXPECT_EQ(TableRows(), kPreviousRows);
    // The connection is left without a transaction: a later import works.
    ExpectTheFileDialog(RunImport({file}));
    EXPECT_EQ(StatusText(), kImported);
    EXPECT_EQ(TableRows(), kFixtureRows);
}

// The texts of the status line at each paint of the status bar, recorded by
// a hook on the test's thread while a command runs.
std::vector<std::string>* paintedTexts = nullptr;
HWND paintedBar = nullptr;

LRESULT CALLBACK RecordPaint(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message.message == WM_PAINT && message.hwnd == paintedBar &&
        paintedTexts != nullptr) {
        char text[1024] = {};
        if (LOWORD(SendMessageA(paintedBar, SB_GETTEXTLENGTHA, 1, 0)) < sizeof(text)) {
            SendMessageA(paintedBar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
        }
        paintedTexts->push_back(text);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A file large enough to take several tenths of a second: the bar shows the
// records as they are imported, painted at most every 100 ms.
TEST_F(ImportCommandTest, LargeFileShowsItsProgressWhileItRuns) {
    constexpr int kLines = 300000;
    const std::string file = csvFolder_->path() + "pc-large.csv";
    {
        std::ofstream out(file, std::ios::binary);
        out << "\"Pcode\",\"Locality\",\"State\"\r\n";
        for (int i = 0; i < kLines; ++i) {
            out << '"' << 1000 + i % 9000 << "\",\"LOCALITY " << i << "\",\"VIC\"\r\n";
        }
    }
    std::vector<std::string> painted;
    paintedTexts = &painted;
    paintedBar = statusBar();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPaint, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    FileDialogDriver driver({file});
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(tarvelo::MenuUpdateDatabase, 0), 0);
    const DWORD start = GetTickCount();
    PumpAndDispatch();
    const DWORD elapsed = GetTickCount() - start;
    UnhookWindowsHookEx(hook);
    paintedTexts = nullptr;
    ExpectTheFileDialog(driver.Seen());

    EXPECT_EQ(StatusText(), "Info: There were (300000) records imported into the database.");
    // Record messages that were painted: "Info: " and a line's three values.
    // (Wine's status bar paints itself as its text is set, so the same text
    // may be painted twice in a row.)
    int records = 0;
    for (std::size_t i = 0; i < painted.size(); ++i) {
        const std::string& text = painted[i];
        if (text.find("LOCALITY ") != std::string::npos && (i == 0 || text != painted[i - 1])) {
            ++records;
            EXPECT_EQ(text.rfind("Info: ", 0), 0u) << text;
            EXPECT_EQ(text.substr(text.size() - 5), ", VIC") << text;
        }
    }
    EXPECT_GE(records, 1) << "no progress shown in " << elapsed << " ms";
    EXPECT_LE(records, static_cast<int>(elapsed / 100) + 2)
        << "painted more often than every 100 ms in " << elapsed << " ms";
}

} // namespace

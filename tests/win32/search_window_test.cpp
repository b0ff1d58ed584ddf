// The search and copy commands in the real main window: the search controls
// are set, Return goes through the window's shortcut table and the event
// wait, and the result list, the status line, the shared record and the
// clipboard are read back through their own messages.
#include "window_fixture.h"

#include "search/quotes.h"
#include "store/database.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <future>
#include <thread>

using namespace tarvelo_test;
using tarvelo::MainWindow;

namespace {

using Row = std::array<std::string, 3>; // postcode, suburb, state

const Row kMelbourne{"3000", "MELBOURNE", "VIC"};
const Row kLowerMelbourne{"4000", "melbourne", "QLD"};
const Row kSydney{"2000", "SYDNEY", "NSW"};
const Row kOConnor{"2602", "O'CONNOR", "ACT"};
const Row kDarwin{"0800", "DARWIN", "NT"};
const Row kNightcliff{"800", "NIGHTCLIFF", "NT"};
const Row kAlbertPark{"3206", "ALBERT PARK", "VIC"};
const Row kPark30{"6030", "PARK 30", "WA"}; // 30 in the postcode and in the suburb
const Row kWerribee{"3030", "WERRIBEE", "VIC"};
const Row kSpringfieldQld{"4300", "SPRINGFIELD", "QLD"};
const Row kSpringfieldNsw{"2250", "SPRINGFIELD", "NSW"};

// Stored in neither suburb nor state order, so that a sort shows.
const std::vector<Row> kTable = {kWerribee,   kSpringfieldQld, kLowerMelbourne, kSydney,
                                 kPark30,     kMelbourne,      kSpringfieldNsw, kOConnor,
                                 kNightcliff, kDarwin,         kAlbertPark};

constexpr int kAllFields = 0;
constexpr int kPostcode = 1;
constexpr int kSuburb = 2;
constexpr int kState = 3;

std::string RowText(const Row& row) {
    return row[0] + " | " + row[1] + " | " + row[2];
}

std::vector<std::string> RowTexts(const std::vector<Row>& rows) {
    std::vector<std::string> texts;
    for (const Row& row : rows) {
        texts.push_back(RowText(row));
    }
    return texts;
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The clipboard's CF_TEXT, or "<none>" when it holds none or cannot be opened.
std::string ClipboardText() {
    std::string text = "<none>";
    if (!OpenClipboard(nullptr)) {
        return "<cannot open>";
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool PutOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    bool placed = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!placed) {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
    return placed;
}

// The 16 x 16 pixels that drawing an icon, or an image of an image list,
// leaves on a white background.
template <typename Draw> std::vector<COLORREF> PixelsOf(Draw draw) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

std::vector<COLORREF> IconPixels(HICON icon) {
    return PixelsOf([icon](HDC dc) { DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); });
}

// Holds the clipboard open from a window of its own thread until released,
// as another program would.
class ClipboardHolder {
  public:
    ClipboardHolder() {
        std::future<bool> opened = opened_.get_future();
        thread_ = std::thread([this] {
            HWND owner = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                         nullptr, nullptr, nullptr);
            const bool open = owner != nullptr && OpenClipboard(owner);
            opened_.set_value(open);
            release_.get_future().wait_for(std::chrono::milliseconds(kWaitMs));
            if (open) {
                CloseClipboard();
            }
            if (owner != nullptr) {
                DestroyWindow(owner);
            }
        });
        holding_ =
            opened.wait_for(std::chrono::milliseconds(kWaitMs)) == std::future_status::ready &&
            opened.get();
    }
    ~ClipboardHolder() { Release(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool holding() const { return holding_; }
    void Release() {
        if (thread_.joinable()) {
            release_.set_value();
            thread_.join();
        }
    }

  private:
    std::promise<bool> opened_;
    std::promise<void> release_;
    std::thread thread_;
    bool holding_ = false;
};

constexpr const char* kFish = "<\xB0)))o><\xB2\xB3  ";
constexpr const char* kNoSelection = "Error: You have yo select a line for it to be copied.";
constexpr const char* kSentinel = "clipboard before the copy";

} // namespace

class SearchWindowTest : public MainWindowTest {
  protected:
    HWND list() { return control(tarvelo::ResultList); }

    void Fill(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            ASSERT_TRUE(tarvelo::ExecuteUpdate(
                app().database, "INSERT INTO postcodes VALUES('" + tarvelo::DoubleQuotes(row[0]) +
                                    "','" + tarvelo::DoubleQuotes(row[1]) + "','" +
                                    tarvelo::DoubleQuotes(row[2]) + "')"))
                << RowText(row);
        }
    }

    // Chooses the comparison and the field, sets the search text and
    // presses Return with the focus in the given control; the events it
    // raises run through the real dispatch. False when Return raised no
    // search.
    bool Search(const std::string& label, int field, const std::string& text,
                int focus = tarvelo::SearchTextBox) {
        HWND operators = control(tarvelo::OperatorBox);
        const auto index = SendMessageA(operators, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(label.c_str()));
        SendMessageA(operators, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(control(tarvelo::FieldBox), CB_SETCURSEL, static_cast<WPARAM>(field), 0);
        SetWindowTextA(control(tarvelo::SearchTextBox), text.c_str());
        if (WindowText(operators) != label) {
            ADD_FAILURE() << "no comparison " << label;
            return false;
        }
        // Keys reach the shortcut table of the active window only; another
        // program's window may have come to the front meanwhile.
        SetForegroundWindow(window());
        SetFocus(control(focus));
        if (GetActiveWindow() != window()) {
            ADD_FAILURE() << "the main window is not the active window";
            return false;
        }
        int searches = 0;
        for (const toolkit::Event& event : PressKey(VK_RETURN)) {
            searches +=
                event.kind == toolkit::EventCommand && event.command == tarvelo::ShortcutSearch ? 1
                                                                                                : 0;
            tarvelo::Dispatch(app(), event);
        }
        PumpAndDispatch();
        return searches == 1;
    }

    int RowCount() { return static_cast<int>(SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0)); }

    std::string Cell(int row, int column) {
        char text[512] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(list(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return text;
    }

    std::vector<Row> ListedRows() {
        std::vector<Row> rows;
        for (int i = 0; i < RowCount(); ++i) {
            rows.push_back({Cell(i, 0), Cell(i, 1), Cell(i, 2)});
        }
        return rows;
    }

    // Every listed row shows TagIcon as its small icon.
    void ExpectTagIconOnEveryRow() {
        auto images =
            reinterpret_cast<HIMAGELIST>(SendMessageA(list(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        ASSERT_NE(images, nullptr);
        const std::vector<COLORREF> tag = IconPixels(app().gui.ImageHandle(tarvelo::TagIcon));
        ASSERT_NE(tag, IconPixels(app().gui.ImageHandle(tarvelo::BubbleIcon)));
        for (int i = 0; i < RowCount(); ++i) {
            LVITEMA item{};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            ASSERT_TRUE(SendMessageA(list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            ASSERT_GE(item.iImage, 0) << "row " << i;
            EXPECT_EQ(PixelsOf([&](HDC dc) {
                          ImageList_Draw(images, item.iImage, dc, 0, 0, ILD_NORMAL);
                      }),
                      tag)
                << "row " << i;
        }
    }

    int SelectedRow() {
        return static_cast<int>(
            SendMessageA(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    void SelectRow(int row) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        ASSERT_EQ(SelectedRow(), row);
    }

    RECT RowRect(int row) {
        RECT rect{};
        rect.left = LVIR_BOUNDS;
        SendMessageA(list(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    // A left double click at a point of the list's client area, as the
    // mouse delivers it; true when it reached the loop as the list's double
    // click event.
    bool DoubleClickList(POINT at) {
        const LPARAM where = MAKELPARAM(at.x, at.y);
        PostMessageA(list(), WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageA(list(), WM_LBUTTONUP, 0, where);
        PostMessageA(list(), WM_LBUTTONDBLCLK, MK_LBUTTON, where);
        PostMessageA(list(), WM_LBUTTONUP, 0, where);
        bool doubleClick = false;
        for (const toolkit::Event& event : PumpAndDispatch()) {
            doubleClick = doubleClick || (event.kind == toolkit::EventControl &&
                                          event.control == tarvelo::ResultList &&
                                          event.type == toolkit::ControlLeftDoubleClick);
        }
        return doubleClick;
    }

    bool DoubleClickRow(int row) {
        const RECT rect = RowRect(row);
        return DoubleClickList({rect.left + 40, (rect.top + rect.bottom) / 2});
    }
};

struct SearchCase {
    const char* name;
    const char* label;
    int field;
    const char* text;
    std::vector<Row> rows; // in list order when one field is searched

    friend void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.name; }
};

class Searches : public SearchWindowTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(Searches, ListTheMatchingRowsAndCountThem) {
    const SearchCase& c = GetParam();
    Fill(kTable);
    ASSERT_TRUE(Search(c.label, c.field, c.text));
    const std::vector<Row> rows = ListedRows();
    if (c.field == kAllFields) {
        EXPECT_EQ(Sorted(RowTexts(rows)), Sorted(RowTexts(c.rows)));
    } else {
        EXPECT_EQ(RowTexts(rows), RowTexts(c.rows));
    }
    EXPECT_EQ(StatusText(), "Info: " + std::to_string(c.rows.size()) + " matches found for " +
                                std::string(c.text));
    ExpectTagIconOnEveryRow();
    // The shared record holds the row listed last.
    ASSERT_FALSE(rows.empty());
    const tarvelo::PostcodeRecord& record = app().record;
    EXPECT_EQ(RowText({record.postcode, record.suburb, record.state}), RowText(rows.back()));
}

INSTANTIATE_TEST_SUITE_P(
    Labels, Searches,
    ::testing::Values(
        SearchCase{"EqualToPostcode", "Equal to", kPostcode, "3000", {kMelbourne}},
        SearchCase{"EqualToIsCaseSensitive", "Equal to", kSuburb, "melbourne", {kLowerMelbourne}},
        SearchCase{"SoundsLikeIgnoresCase",
                   "Sounds like",
                   kSuburb,
                   "melbourne",
                   {kMelbourne, kLowerMelbourne}},
        SearchCase{"SoundsLikeUnderscoreIsAWildcard",
                   "Sounds like",
                   kSuburb,
                   "A_K",
                   {kAlbertPark, kPark30}},
        SearchCase{"LessThanComparesText",
                   "Less than",
                   kPostcode,
                   "3000",
                   {kDarwin, kOConnor, kSpringfieldNsw, kSydney}},
        SearchCase{
            "GreaterThanComparesText", "Greater than", kPostcode, "6000", {kNightcliff, kPark30}},
        SearchCase{"GreaterThanOrEqualToState",
                   "Greater than or equal to",
                   kState,
                   "VIC",
                   {kAlbertPark, kMelbourne, kPark30, kWerribee}},
        SearchCase{"LessThanOrEqualToState", "Less than or equal to", kState, "ACT", {kOConnor}},
        SearchCase{"DoesNotEqualState",
                   "Does not equal",
                   kState,
                   "VIC",
                   {kDarwin, kNightcliff, kOConnor, kPark30, kSpringfieldNsw, kSpringfieldQld,
                    kSydney, kLowerMelbourne}},
        SearchCase{"StartsWithSuburb", "Starts with", kSuburb, "PARK", {kPark30}},
        SearchCase{"EndsWithSuburb", "Ends with", kSuburb, "PARK", {kAlbertPark}},
        SearchCase{
            "EqualToAllFieldsFindsTheState", "Equal to", kAllFields, "NT", {kDarwin, kNightcliff}},
        SearchCase{"SoundsLikeAllFieldsListsEachRowOnce",
                   "Sounds like",
                   kAllFields,
                   "30",
                   {kMelbourne, kPark30, kWerribee, kSpringfieldQld}},
        SearchCase{"PercentIsAWildcard",
                   "Sounds like",
                   kAllFields,
                   "S%G",
                   {kSpringfieldNsw, kSpringfieldQld}}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST_F(SearchWindowTest, OneFieldIsSortedBySuburbThenStateInByteOrder) {
    Fill(kTable);
    ASSERT_TRUE(Search("Sounds like", kState, ""));
    // Upper case sorts before lower case; the two SPRINGFIELDs by state.
    EXPECT_EQ(RowTexts(ListedRows()),
              RowTexts({kAlbertPark, kDarwin, kMelbourne, kNightcliff, kOConnor, kPark30,
                        kSpringfieldNsw, kSpringfieldQld, kSydney, kWerribee, kLowerMelbourne}));
}

TEST_F(SearchWindowTest, ApostrophesAreShownKeptAndEchoedAsStored) {
    Fill(kTable);
    ASSERT_TRUE(Search("Equal to", kSuburb, "O'CONNOR"));
    EXPECT_EQ(RowTexts(ListedRows()), RowTexts({kOConnor}));
    EXPECT_EQ(StatusText(), "Info: 1 matches found for O'CONNOR");
    EXPECT_EQ(app().record.suburb, "O'CONNOR");
    EXPECT_EQ(app().record.postcode, "2602");
    EXPECT_EQ(app().record.state, "ACT");

    ASSERT_TRUE(DoubleClickRow(0));
    EXPECT_EQ(ClipboardText(), "O'CONNOR  ACT  2602");
    EXPECT_EQ(StatusText(),
              std::string("Info: ") + kFish + "O'CONNOR  ACT  2602, Copied to the clipboard");
}

TEST_F(SearchWindowTest, ASearchThatKeepsNoRowListsNothingAndLeavesTheRecord) {
    Fill(kTable);
    app().record = {"before", "before", "before"};
    ASSERT_TRUE(Search("Sounds like", kAllFields, "ZZZ"));
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(StatusText(), "Info: 0 matches found for ZZZ");
    EXPECT_EQ(app().record.postcode, "before");
    EXPECT_EQ(app().record.suburb, "before");
}

TEST_F(SearchWindowTest, AnEmptyTextListsEveryRow) {
    Fill(kTable);
    ASSERT_TRUE(Search("Sounds like", kAllFields, ""));
    EXPECT_EQ(Sorted(RowTexts(ListedRows())), Sorted(RowTexts(kTable)));
    EXPECT_EQ(StatusText(), "Info: 11 matches found for ");
}

TEST_F(SearchWindowTest, EachSearchStartsFromAnEmptyList) {
    Fill(kTable);
    ASSERT_TRUE(Search("Sounds like", kAllFields, ""));
    ASSERT_TRUE(Search("Sounds like", kAllFields, ""));
    EXPECT_EQ(RowCount(), 11);
    EXPECT_EQ(StatusText(), "Info: 11 matches found for ");
    ASSERT_TRUE(Search("Equal to", kPostcode, "3000"));
    EXPECT_EQ(RowTexts(ListedRows()), RowTexts({kMelbourne}));
    EXPECT_EQ(StatusText(), "Info: 1 matches found for 3000");
}

TEST_F(SearchWindowTest, WithoutAConnectionTheListStaysEmptyAndTheErrorShows) {
    Fill(kTable);
    ASSERT_TRUE(Search("Sounds like", kAllFields, ""));
    ASSERT_EQ(RowCount(), 11);
    tarvelo::CloseConnection(app().database);
    ASSERT_TRUE(Search("Sounds like", kAllFields, ""));
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(StatusText(), "Error: The search query found no matches in the database.");
}

TEST_F(SearchWindowTest, AStatementTheEngineRefusesShowsTheError) {
    // The table is gone: the statement cannot be prepared.
    ASSERT_TRUE(tarvelo::ExecuteUpdate(app().database, "DROP TABLE postcodes"));
    ASSERT_TRUE(Search("Equal to", kPostcode, "3000"));
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(StatusText(), "Error: The search query found no matches in the database.");
}

TEST_F(SearchWindowTest, AListLongerThanItsViewScrollsToItsLastRow) {
    std::vector<Row> rows;
    for (int i = 0; i < 60; ++i) {
        rows.push_back({std::to_string(1000 + i), "SUBURB " + std::to_string(1000 + i), "VIC"});
    }
    Fill(rows);
    ASSERT_TRUE(Search("Sounds like", kSuburb, "SUBURB"));
    ASSERT_EQ(RowCount(), 60);
    // Repainting was off while the list filled; its scroll bar was brought
    // up to date afterwards.
    ASSERT_TRUE(GetWindowLongA(list(), GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(list(), SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax - scroll.nMin + 1, 60);
    EXPECT_LT(static_cast<int>(scroll.nPage), 60);
    SendMessageA(list(), LVM_ENSUREVISIBLE, 59, FALSE);
    PumpEvents();
    EXPECT_GT(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(Cell(59, 1), "SUBURB 1059");
}

class SearchFrom : public SearchWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(SearchFrom, LeavesNoRowSelected) {
    Fill(kTable);
    ASSERT_TRUE(Search("Sounds like", kAllFields, ""));
    SelectRow(3);
    ASSERT_TRUE(Search("Sounds like", kAllFields, "", GetParam()));
    EXPECT_EQ(RowCount(), 11);
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(SendMessageA(list(), LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Focus, SearchFrom,
                         ::testing::Values(tarvelo::SearchTextBox, tarvelo::ResultList));

TEST_F(SearchWindowTest, DoubleClickOnASelectedRowCopiesIt) {
    Fill(kTable);
    ASSERT_TRUE(PutOnClipboard(kSentinel));
    ASSERT_TRUE(Search("Equal to", kSuburb, "MELBOURNE"));
    SelectRow(0);
    ASSERT_TRUE(DoubleClickRow(0));
    EXPECT_EQ(ClipboardText(), "MELBOURNE  VIC  3000");
    EXPECT_EQ(StatusText(),
              "Info: <\xB0)))o><\xB2\xB3  MELBOURNE  VIC  3000, Copied to the clipboard");
}

TEST_F(SearchWindowTest, DoubleClickOnAnotherRowCopiesThatRow) {
    Fill(kTable);
    ASSERT_TRUE(Search("Less than", kPostcode, "3000"));
    SelectRow(0);
    ASSERT_TRUE(DoubleClickRow(2)); // the first click selects it
    EXPECT_EQ(ClipboardText(), "SPRINGFIELD  NSW  2250");
}

TEST_F(SearchWindowTest, DoubleClickWithNoRowSelectedLeavesTheClipboard) {
    Fill(kTable);
    ASSERT_TRUE(PutOnClipboard(kSentinel));
    // On the empty list before any search, and after a search that found nothing.
    ASSERT_TRUE(DoubleClickList({100, 100}));
    EXPECT_EQ(StatusText(), kNoSelection);
    ASSERT_TRUE(Search("Equal to", kPostcode, "9999"));
    ASSERT_TRUE(DoubleClickList({100, 100}));
    EXPECT_EQ(StatusText(), kNoSelection);
    EXPECT_EQ(ClipboardText(), kSentinel);
}

TEST_F(SearchWindowTest, DoubleClickBelowTheLastRowClearsTheSelection) {
    Fill(kTable);
    ASSERT_TRUE(PutOnClipboard(kSentinel));
    ASSERT_TRUE(Search("Equal to", kState, "NT"));
    ASSERT_EQ(RowCount(), 2);
    SelectRow(1);
    const RECT last = RowRect(1);
    RECT client;
    GetClientRect(list(), &client);
    const POINT below{last.left + 40, last.bottom + 2 * (last.bottom - last.top)};
    ASSERT_LT(below.y, client.bottom);
    ASSERT_TRUE(DoubleClickList(below));
    EXPECT_EQ(SelectedRow(), -1);
    EXPECT_EQ(StatusText(), kNoSelection);
    EXPECT_EQ(ClipboardText(), kSentinel);
}

TEST_F(SearchWindowTest, AnEmptyStateKeepsBothSeparators) {
    Fill({{"3000", "MELBOURNE", ""}});
    ASSERT_TRUE(Search("Equal to", kPostcode, "3000"));
    ASSERT_TRUE(DoubleClickRow(0));
    EXPECT_EQ(ClipboardText(), "MELBOURNE    3000");
    EXPECT_EQ(StatusText(),
              std::string("Info: ") + kFish + "MELBOURNE    3000, Copied to the clipboard");
}

TEST_F(SearchWindowTest, ALongValueIsShownAndCopiedWhole) {
    // Longer than the list's first read of a cell; the last byte is \xC9,
    // stored as UTF-8 and shown in code page 1252.
    const std::string suburb = std::string(300, 'A') + "\xC9";
    Fill({{"5000", suburb, "SA"}});
    ASSERT_TRUE(Search("Equal to", kPostcode, "5000"));
    EXPECT_EQ(Cell(0, 1), suburb);
    ASSERT_TRUE(DoubleClickRow(0));
    EXPECT_EQ(ClipboardText(), suburb + "  SA  5000");
}

TEST_F(SearchWindowTest, AHeldClipboardKeepsItsContentsAndTheCopyIsConfirmed) {
    Fill(kTable);
    ASSERT_TRUE(PutOnClipboard(kSentinel));
    ASSERT_TRUE(Search("Equal to", kPostcode, "3000"));
    SelectRow(0);
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    ASSERT_FALSE(OpenClipboard(nullptr)); // really held
    ASSERT_TRUE(DoubleClickRow(0));
    EXPECT_EQ(StatusText(),
              std::string("Info: ") + kFish + "MELBOURNE  VIC  3000, Copied to the clipboard");
    holder.Release();
    EXPECT_EQ(ClipboardText(), kSentinel);
}

TEST_F(SearchWindowTest, TheCopyMenuItemCopiesTheSelectedRow) {
    Fill(kTable);
    ASSERT_TRUE(PutOnClipboard(kSentinel));
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(tarvelo::MenuCopyPostcode, 0), 0);
    PumpAndDispatch();
    EXPECT_EQ(StatusText(), kNoSelection);
    EXPECT_EQ(ClipboardText(), kSentinel);

    ASSERT_TRUE(Search("Sounds like", kSuburb, "SPRINGFIELD"));
    SelectRow(1);
    PostMessageA(window(), WM_COMMAND, MAKEWPARAM(tarvelo::MenuCopyPostcode, 0), 0);
    PumpAndDispatch();
    EXPECT_EQ(ClipboardText(), "SPRINGFIELD  QLD  4300");
    EXPECT_EQ(StatusText(),
              std::string("Info: ") + kFish + "SPRINGFIELD  QLD  4300, Copied to the clipboard");
}

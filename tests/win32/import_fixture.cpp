#include "import_fixture.h"

#include "store/ansi_path_win32.h"

#include <cstdio>
#include <fstream>

namespace tarvelo_test {
namespace {

constexpr const char* kDialogTitle = "Select Australia Post(tm) postcode file";
constexpr int kFileNameCombo = 0x47C; // cmb13, with an edit inside

BOOL CALLBACK MatchEdit(HWND window, LPARAM data) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "Edit") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

} // namespace

tarvelo::DatabaseConnection OpenDatabase(const std::string& file) {
    return tarvelo::OpenConnection(tarvelo::AnsiPathToUtf8(file));
}

bool WriteDatabase(const std::string& folder, const std::string& file) {
    CreateDirectoryA((folder + "Database").c_str(), nullptr);
    std::ofstream(file, std::ios::binary).flush();
    tarvelo::DatabaseConnection connection = OpenDatabase(file);
    return tarvelo::ExecuteUpdate(connection, tarvelo::kCreateTableStatement) &&
           tarvelo::ExecuteUpdate(connection,
                                  "INSERT INTO postcodes(postcode, suburb, state) VALUES"
                                  "('4000','BRISBANE','QLD'),('0800','DARWIN','NT'),"
                                  "('6000','PERTH','WA')");
}

void WriteLargeFile(const std::string& path, int lines) {
    std::ofstream out(path, std::ios::binary);
    out << "\"Pcode\",\"Locality\",\"State\",\"Comments\",\"DeliveryOffice\"\r\n";
    char line[128];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof(line),
                      "\"%04d\",\"GENERATED LOCALITY %d\",\"NSW\",\"\",\"DELIVERY CENTRE\"\r\n",
                      i % 10000, i);
        out << line;
    }
}

std::uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The text is read back with WM_GETTEXT, which GetWindowText does not send
// across processes.
::testing::AssertionResult ChooseFile(const Program& program, const std::string& path) {
    const HWND dialog = program.WaitForTopWindow("#32770", kDialogTitle);
    if (dialog == nullptr) {
        return ::testing::AssertionFailure() << "no file dialog appeared";
    }
    HWND edit = nullptr;
    EnumChildWindows(GetDlgItem(dialog, kFileNameCombo), MatchEdit,
                     reinterpret_cast<LPARAM>(&edit));
    if (edit == nullptr) {
        return ::testing::AssertionFailure() << "the file dialog has no file name box";
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    char typed[MAX_PATH + 1] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof(typed), reinterpret_cast<LPARAM>(typed));
    if (path != typed) {
        return ::testing::AssertionFailure() << "the file name box holds \"" << typed << "\"";
    }
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(edit, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
    return ::testing::AssertionSuccess();
}

} // namespace tarvelo_test

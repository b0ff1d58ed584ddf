// The "Update database" command: the file dialog, the file, and the import,
// with the status line repainted while it runs.
#include "store/import_win32.h"

#include "app/application.h"
#include "app/commands.h"
#include "app/ids.h"
#include "store/import.h"
#include "toolkit/message_box.h"

#include <commdlg.h>

namespace tarvelo {
namespace {

// Shows the import's messages while it runs: the command handles no events
// until it returns, so the bar is painted here, at most every 100 ms, with
// the latest message. Only that message is handed to the status line: one in
// between would be replaced before any paint showed it, and setting the bar's
// text for each record (a round trip to the window system apiece, and a paint
// apiece under Wine, whose status bar paints as its text is set) would take
// forty times as long as the import itself.
class ImportProgress final : public StatusLine {
  public:
    ImportProgress(StatusLine& status, HWND bar) : status_(status), bar_(bar) {}
    void ShowStatus(int kind, std::string_view text) override {
        kind_ = kind;
        text_.assign(text);
        pending_ = true;
        const DWORD now = GetTickCount();
        if (now - lastPaint_ >= kPaintIntervalMs) {
            Finish();
            lastPaint_ = now;
        }
    }
    // Hands the latest message, if not yet shown, to the status line and
    // paints it; called once more after the import for its last message.
    void Finish() {
        if (!pending_) {
            return;
        }
        pending_ = false;
        status_.ShowStatus(kind_, text_);
        if (bar_ != nullptr) {
            UpdateWindow(bar_);
        }
    }

  private:
    static constexpr DWORD kPaintIntervalMs = 100;
    StatusLine& status_;
    HWND bar_;
    DWORD lastPaint_ = GetTickCount();
    int kind_ = 0;
    std::string text_;
    bool pending_ = false;
};

} // namespace

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    DWORD read = 0;
    if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &read, nullptr)) {
        failed_ = true;
        return 0;
    }
    return read;
}

std::string AskForPostcodeFile() {
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = toolkit::ForegroundWindowOfThisProcess();
    dialog.lpstrFilter = "CSV (*.csv)\0*.csv\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Select Australia Post(tm) postcode file";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) {
        return {};
    }
    return path;
}

void ImportPostcodeFile(Application& app) {
    const std::string path = AskForPostcodeFile();
    if (path.empty()) {
        app.status.ShowStatus(StatusError, kImportCancelledText);
        return;
    }
    // The file is opened before the table is touched: a file that cannot be
    // read leaves the table as it was.
    app.openFile.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!app.openFile) {
        app.status.ShowStatus(StatusError, kImportOpenFailedText);
        return;
    }
    FileSource source(app.openFile.get());
    ImportProgress progress(app.status, app.gui.StatusBarHandle(MainStatusBar));
    ImportRecords(app.database, source, progress, app.record);
    progress.Finish();
    app.openFile.reset();
}

} // namespace tarvelo

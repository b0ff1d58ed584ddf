#include "crash/report_box_win32.h"

#include "crash/report.h"
#include "toolkit/message_box.h"

#include <windows.h>

#include <vector>

namespace tarvelo {

namespace {

// Puts the thread's top-level windows other than the owner out of use for its
// lifetime, so that nothing but the report takes input while it is shown.
class WindowsSetAside {
  public:
    explicit WindowsSetAside(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
        for (const Entry& entry : entries_) {
            EnableWindow(entry.window, FALSE);
            if (entry.wasTopmost) {
                SetWindowPos(entry.window, HWND_NOTOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
    }
    WindowsSetAside(const WindowsSetAside&) = delete;
    WindowsSetAside& operator=(const WindowsSetAside&) = delete;
    ~WindowsSetAside() {
        for (const Entry& entry : entries_) {
            if (!IsWindow(entry.window)) {
                continue;
            }
            EnableWindow(entry.window, TRUE);
            if (entry.wasTopmost) {
                SetWindowPos(entry.window, HWND_TOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
    }

  private:
    struct Entry {
        HWND window;
        bool wasTopmost;
    };

    static BOOL CALLBACK Collect(HWND window, LPARAM data) {
        auto* self = reinterpret_cast<WindowsSetAside*>(data);
        if (window != self->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            const bool topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            self->entries_.push_back(Entry{window, topmost});
        }
        return TRUE;
    }

    HWND owner_;
    std::vector<Entry> entries_;
};

} // namespace

void ShowReport(const std::string& text) {
    // The owner, the foreground window, is left to MessageBoxA, which
    // disables it itself.
    const HWND owner = toolkit::ForegroundWindowOfThisProcess();
    const WindowsSetAside setAside(owner);
    MessageBoxA(owner, text.c_str(), kReportCaption, MB_OK);
}

} // namespace tarvelo

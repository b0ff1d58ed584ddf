#pragma once
// A small GUI toolkit over Win32, driven by numbers that the program
// chooses: windows, controls, fonts, images, status bars, image menus and
// keyboard shortcuts, and a blocking event wait. It knows nothing of what
// the program does with them.
#include "toolkit/events.h"
#include "toolkit/handles.h"

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {

// A shortcut given as one integer: the virtual key in bits 0-15, Shift in
// bit 16, Control in bit 17, Alt in bit 18.
constexpr int kShortcutShift = 1 << 16;
constexpr int kShortcutControl = 1 << 17;
constexpr int kShortcutAlt = 1 << 18;

// Look flag of an image menu: owner-drawn items in the modern look.
constexpr int kMenuModernLook = 1;

struct ControlSpec {
    int number;
    const char* className;
    const char* text;
    DWORD style; // added to WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    int x, y, width, height;
};

class Toolkit;

// One toolkit window and everything that belongs to it.
struct WindowState;

class Toolkit {
  public:
    Toolkit();
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    // Windows. OpenWindow creates a hidden top-level window of class
    // "WindowClass_<number>" whose client area has the given size, centred
    // on the screen; yields null (and removes the class) on failure.
    HWND OpenWindow(int number, DWORD style, int clientWidth, int clientHeight, HICON classIcon,
                    HICON smallIcon);
    void ShowWindowNormal(int number) const;
    void SetWindowTitle(int number, const std::string& title) const;
    void CloseWindow(int number);
    void CloseAllWindows();
    HWND WindowHandle(int number) const;
    void ActivateWindow(int number) const;

    // Controls, addressed by window and control number. Every control gets
    // the system's DEFAULT_GUI_FONT at creation.
    HWND AddControl(int window, const ControlSpec& spec);
    HWND ControlHandle(int window, int number) const;
    void FocusControl(int window, int number) const;
    void AddListColumn(int window, int control, const char* heading, int width) const;
    // Appends a row; text holds the columns separated by line feeds.
    void AddListRow(int window, int control, const std::string& text, int image);
    void ClearList(int window, int control) const;
    // The whole window text of a control; the selected entry's text for a
    // drop-down list.
    std::string ControlText(int window, int control) const;
    // The selected entry of a drop-down list, or -1.
    int ComboSelection(int window, int control) const;
    // The first selected row of a list, or -1.
    int ListSelection(int window, int control) const;
    // The whole text of a cell, or "" when the row or column does not exist.
    std::string ListCellText(int window, int control, int row, int column) const;
    void AddComboEntry(int window, int control, const char* text) const;
    void SelectComboEntry(int window, int control, int index) const;

    // Fonts, numbered by the program; applied with a redraw.
    void CreateFontNumbered(int number, const char* face, int points);
    void ApplyFont(int window, int control, int font) const;

    // Images: icons loaded from complete ICO data at 16 x 16.
    bool LoadImageFromIco(int number, const unsigned char* bytes, std::size_t size);
    HICON ImageHandle(int number) const;

    // Status bars: one per window, docked along the client area's bottom.
    HWND CreateStatusBar(int number, int window, int minHeight);
    void AddStatusField(int statusBar, int width);
    void SetStatusFieldImage(int statusBar, int field, HICON image);
    void SetStatusFieldText(int statusBar, int field, const std::string& text, int flags) const;
    HWND StatusBarHandle(int number) const;

    // Image menus.
    HMENU CreateImageMenu(int number, HWND window, int lookFlags);
    void AddMenuTitle(const char* text);
    void AddMenuItem(int command, const char* text, HICON icon);
    void AddMenuSeparator();

    // Keyboard shortcuts: the first entry with the same key and modifiers
    // gets the new command; otherwise one is appended.
    void AddKeyboardShortcut(int window, int shortcut, int command);
    HACCEL ShortcutTable(int window) const;

    // Blocks until the next event. Queued events come out first; otherwise
    // the next message is offered to the active window's shortcut table and
    // dispatched, and the command it raised (if any) is the event.
    Event WaitForEvent();

    // Releases the images and fonts (the windows must be closed first).
    void ReleaseImagesAndFonts();

    // Forgets the events queued and not yet handed out.
    void DiscardQueuedEvents() { queue_.clear(); }

    // Used by window procedures.
    void QueueEvent(const Event& event) { queue_.push_back(event); }
    void RaiseCommand(int command) { pendingCommand_ = command; }
    WindowState* StateOf(HWND window) const;

  private:
    HINSTANCE instance_;
    std::map<int, std::unique_ptr<WindowState>> windows_;
    std::map<int, FontHandle> fonts_;
    std::map<int, IconHandle> images_;
    std::map<int, int> statusBarWindows_; // status bar number -> window number
    std::deque<Event> queue_;
    int pendingCommand_ = 0;
    WindowState* menuWindow_ = nullptr; // the window whose image menu is being built
};

} // namespace toolkit

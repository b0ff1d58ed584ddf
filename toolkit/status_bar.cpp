// Status bars: a status window along the bottom of a toolkit window, with
// fields laid out by their widths and images drawn by the toolkit.
#include "toolkit/toolkit.h"
#include "toolkit/window_state.h"

#include <commctrl.h>

namespace toolkit {
namespace {
// The bar's control identifier, clear of the program's control numbers.
constexpr int kStatusBarId = 100;
} // namespace

HWND Toolkit::CreateStatusBar(int number, int window, int minHeight) {
    const auto found = windows_.find(window);
    if (found == windows_.end() || found->second->statusBar != nullptr) {
        return nullptr;
    }
    WindowState& state = *found->second;
    HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", state.hwnd, kStatusBarId);
    if (bar == nullptr) {
        return nullptr;
    }
    SendMessageA(bar, SB_SETMINHEIGHT, static_cast<WPARAM>(minHeight), 0);
    SendMessageA(bar, WM_SIZE, 0, 0);
    state.statusBar = bar;
    statusBarWindows_[number] = window;
    return bar;
}

void Toolkit::AddStatusField(int statusBar, int width) {
    const auto bar = statusBarWindows_.find(statusBar);
    if (bar == statusBarWindows_.end()) {
        return;
    }
    WindowState& state = *windows_.at(bar->second);
    state.statusWidths.push_back(width);
    LayOutStatusBar(state);
}

// Field widths become right edges: the running sums of the widths.
void LayOutStatusBar(const WindowState& state) {
    if (state.statusBar == nullptr) {
        return;
    }
    SendMessageA(state.statusBar, WM_SIZE, 0, 0);
    std::vector<int> edges;
    int right = 0;
    for (int width : state.statusWidths) {
        right += width;
        edges.push_back(right);
    }
    if (!edges.empty()) {
        SendMessageA(state.statusBar, SB_SETPARTS, edges.size(),
                     reinterpret_cast<LPARAM>(edges.data()));
    }
}

HWND Toolkit::StatusBarHandle(int number) const {
    const auto bar = statusBarWindows_.find(number);
    return bar == statusBarWindows_.end() ? nullptr : windows_.at(bar->second)->statusBar;
}

void Toolkit::SetStatusFieldImage(int statusBar, int field, HICON image) {
    if (HWND bar = StatusBarHandle(statusBar)) {
        SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(field | SBT_OWNERDRAW),
                     reinterpret_cast<LPARAM>(image));
        RECT rect{};
        SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(&rect));
        InvalidateRect(bar, &rect, TRUE);
    }
}

void Toolkit::SetStatusFieldText(int statusBar, int field, const std::string& text,
                                 int flags) const {
    if (HWND bar = StatusBarHandle(statusBar)) {
        SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(field | flags),
                     reinterpret_cast<LPARAM>(text.c_str()));
        RECT rect{};
        SendMessageA(bar, SB_GETRECT, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(&rect));
        InvalidateRect(bar, &rect, TRUE);
    }
}

// The image stands 1 pixel in from the field's left edge, vertically centred
// in the field less a 1-pixel margin, clipped to that inner rectangle.
void DrawStatusImage(const DRAWITEMSTRUCT& draw) {
    auto icon = reinterpret_cast<HICON>(draw.itemData);
    if (icon == nullptr) {
        return;
    }
    const RECT inner{draw.rcItem.left + 1, draw.rcItem.top + 1, draw.rcItem.right - 1,
                     draw.rcItem.bottom - 1};
    const int saved = SaveDC(draw.hDC);
    IntersectClipRect(draw.hDC, inner.left, inner.top, inner.right, inner.bottom);
    const int top = inner.top + (inner.bottom - inner.top - 16) / 2;
    DrawStateA(draw.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, inner.left, top, 0, 0,
               DST_ICON);
    RestoreDC(draw.hDC, saved);
}

} // namespace toolkit

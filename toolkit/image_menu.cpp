// Image menus: a menu bar of system-drawn titles whose drop-down items and
// separators the toolkit measures and paints itself, each with a 16 x 16 icon.
#include "toolkit/toolkit.h"
#include "toolkit/window_state.h"

namespace toolkit {
namespace {

constexpr int kIconLeft = 2;
constexpr int kTextLeft = 28;
constexpr int kBandWidth = 20;
constexpr int kSeparatorHeight = 9;

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
    auto channel = [&](int a, int b) { return a + (b - a) * step / steps; };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

} // namespace

HMENU Toolkit::CreateImageMenu(int number, HWND window, int lookFlags) {
    (void)number; // one menu per window: the window's state holds it
    WindowState* state = StateOf(window);
    if (state == nullptr || state->menuBar != nullptr) {
        return nullptr;
    }
    HMENU bar = CreateMenu();
    if (bar == nullptr) {
        return nullptr;
    }
    state->menuBar = bar;
    state->menuLook = lookFlags;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        state->menuFont.reset(CreateFontIndirectA(&metrics.lfMenuFont));
    }
    menuWindow_ = state;
    return bar;
}

void Toolkit::AddMenuTitle(const char* text) {
    if (menuWindow_ == nullptr) {
        return;
    }
    HMENU popup = CreatePopupMenu();
    if (popup == nullptr) {
        return;
    }
    if (!AppendMenuA(menuWindow_->menuBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                     text)) {
        DestroyMenu(popup);
        return;
    }
    menuWindow_->currentPopup = popup;
    if (GetMenu(menuWindow_->hwnd) != menuWindow_->menuBar) {
        SetMenu(menuWindow_->hwnd, menuWindow_->menuBar);
    }
    DrawMenuBar(menuWindow_->hwnd);
}

void Toolkit::AddMenuItem(int command, const char* text, HICON icon) {
    if (menuWindow_ == nullptr || menuWindow_->currentPopup == nullptr) {
        return;
    }
    auto entry = std::make_unique<MenuEntry>();
    entry->text = text;
    entry->icon = icon;
    if (AppendMenuA(menuWindow_->currentPopup, MF_OWNERDRAW, static_cast<UINT_PTR>(command),
                    reinterpret_cast<LPCSTR>(entry.get()))) {
        menuWindow_->menuEntries.push_back(std::move(entry));
    }
}

void Toolkit::AddMenuSeparator() {
    if (menuWindow_ == nullptr || menuWindow_->currentPopup == nullptr) {
        return;
    }
    auto entry = std::make_unique<MenuEntry>();
    entry->separator = true;
    if (AppendMenuA(menuWindow_->currentPopup, MF_OWNERDRAW | MF_SEPARATOR, 0,
                    reinterpret_cast<LPCSTR>(entry.get()))) {
        menuWindow_->menuEntries.push_back(std::move(entry));
    }
}

// An item is as wide as its text plus the icon column and 6 pixels higher
// than its text; a separator is 9 pixels high.
void MeasureMenuEntry(WindowState& state, MEASUREITEMSTRUCT& measure) {
    const auto* entry = reinterpret_cast<const MenuEntry*>(measure.itemData);
    if (entry == nullptr || entry->separator) {
        measure.itemWidth = kTextLeft;
        measure.itemHeight = kSeparatorHeight;
        return;
    }
    HDC dc = GetDC(state.hwnd);
    HGDIOBJ old = state.menuFont ? SelectObject(dc, state.menuFont.get()) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, entry->text.c_str(), static_cast<int>(entry->text.size()), &size);
    if (old != nullptr) {
        SelectObject(dc, old);
    }
    ReleaseDC(state.hwnd, dc);
    measure.itemWidth = static_cast<UINT>(size.cx + kTextLeft);
    measure.itemHeight = static_cast<UINT>(size.cy + 6);
}

void DrawMenuEntry(const DRAWITEMSTRUCT& draw) {
    const auto* entry = reinterpret_cast<const MenuEntry*>(draw.itemData);
    HDC dc = draw.hDC;
    const RECT& item = draw.rcItem;
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const bool selected = entry != nullptr && !entry->separator && (draw.itemState & ODS_SELECTED);

    FillSolid(dc, item, GetSysColor(COLOR_MENU));
    // The icon band shades from white towards the highlight colour.
    for (int x = 0; x < kBandWidth; ++x) {
        const RECT line{item.left + x, item.top, item.left + x + 1, item.bottom};
        FillSolid(dc, line, Blend(white, highlight, x, kBandWidth));
    }
    if (entry == nullptr || entry->separator) {
        const int y = (item.top + item.bottom) / 2;
        const RECT line{item.left + kBandWidth + 4, y, item.right, y + 1};
        FillSolid(dc, line, GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    if (selected) {
        FillSolid(dc, item, Blend(highlight, white, 1, 2));
        HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        FrameRect(dc, &item, black);
    }
    if (entry->icon != nullptr) {
        const int top = item.top + (item.bottom - item.top - 16) / 2;
        DrawIconEx(dc, item.left + kIconLeft, top, entry->icon, 16, 16, 0, nullptr, DI_NORMAL);
    }
    RECT text = item;
    text.left += kTextLeft;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawTextA(dc, entry->text.c_str(), static_cast<int>(entry->text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

} // namespace toolkit

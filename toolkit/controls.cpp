// Controls, the list view and drop-down list operations, and fonts.
#include "toolkit/ico_image.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_state.h"

#include <commctrl.h>

#include <climits>

namespace toolkit {

HWND Toolkit::AddControl(int window, const ControlSpec& spec) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return nullptr;
    }
    WindowState& state = *found->second;
    HWND control = CreateWindowExA(
        spec.exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, spec.x, spec.y,
        spec.width, spec.height, state.hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.number)), instance_, nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    state.controls.emplace_back(spec.number, control);
    return control;
}

HWND Toolkit::ControlHandle(int window, int number) const {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return nullptr;
    }
    for (const auto& [controlNumber, hwnd] : found->second->controls) {
        if (controlNumber == number) {
            return hwnd;
        }
    }
    return nullptr;
}

void Toolkit::FocusControl(int window, int number) const {
    if (HWND control = ControlHandle(window, number)) {
        SetFocus(control);
    }
}

void Toolkit::AddListColumn(int window, int control, const char* heading, int width) const {
    HWND list = ControlHandle(window, control);
    if (list == nullptr) {
        return;
    }
    const int index = Header_GetItemCount(ListView_GetHeader(list));
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void Toolkit::AddListRow(int window, int control, const std::string& text, int image) {
    HWND list = ControlHandle(window, control);
    if (list == nullptr) {
        return;
    }
    WindowState& state = *windows_.at(window);
    // The list's small images are added as rows first use them.
    int imageIndex = -1;
    if (HICON icon = ImageHandle(image)) {
        ListImages& images = state.listImages[list];
        if (!images.list) {
            images.list.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
            SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                         reinterpret_cast<LPARAM>(images.list.get()));
        }
        const auto known = images.indexOfImage.find(image);
        if (known != images.indexOfImage.end()) {
            imageIndex = known->second;
        } else {
            imageIndex = ImageList_AddIcon(images.list.get(), icon);
            images.indexOfImage[image] = imageIndex;
        }
    }
    std::string columns = text;
    std::size_t start = 0;
    int column = 0;
    LVITEMA item{};
    for (;;) {
        const std::size_t end = columns.find('\n', start);
        if (end != std::string::npos) {
            columns[end] = '\0';
        }
        char* piece = columns.data() + start;
        if (column == 0) {
            // An index past the last row puts the row after it, without
            // asking the list for its count first.
            item.mask = LVIF_TEXT | (imageIndex >= 0 ? LVIF_IMAGE : 0);
            item.iItem = INT_MAX;
            item.pszText = piece;
            item.iImage = imageIndex;
            item.iItem = static_cast<int>(
                SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            if (item.iItem < 0) {
                return;
            }
        } else {
            LVITEMA sub{};
            sub.iSubItem = column;
            sub.pszText = piece;
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item.iItem),
                         reinterpret_cast<LPARAM>(&sub));
        }
        if (end == std::string::npos) {
            return;
        }
        start = end + 1;
        ++column;
    }
}

void Toolkit::ClearList(int window, int control) const {
    if (HWND list = ControlHandle(window, control)) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    }
}

std::string Toolkit::ControlText(int window, int control) const {
    HWND hwnd = ControlHandle(window, control);
    if (hwnd == nullptr) {
        return {};
    }
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

int Toolkit::ComboSelection(int window, int control) const {
    HWND combo = ControlHandle(window, control);
    return combo == nullptr ? -1 : static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

int Toolkit::ListSelection(int window, int control) const {
    HWND list = ControlHandle(window, control);
    if (list == nullptr) {
        return -1;
    }
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string Toolkit::ListCellText(int window, int control, int row, int column) const {
    HWND list = ControlHandle(window, control);
    if (list == nullptr || row < 0 ||
        row >= static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0))) {
        return {};
    }
    // The list copies at most the buffer's size: grow it until the text fits.
    std::string text(256, '\0');
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto copied = static_cast<std::size_t>(SendMessageA(
            list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

void Toolkit::AddComboEntry(int window, int control, const char* text) const {
    if (HWND combo = ControlHandle(window, control)) {
        SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text));
    }
}

void Toolkit::SelectComboEntry(int window, int control, int index) const {
    if (HWND combo = ControlHandle(window, control)) {
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void Toolkit::CreateFontNumbered(int number, const char* face, int points) {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    fonts_[number].reset(CreateFontA(-MulDiv(points, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE,
                                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, face));
}

void Toolkit::ApplyFont(int window, int control, int font) const {
    HWND hwnd = ControlHandle(window, control);
    const auto found = fonts_.find(font);
    if (hwnd != nullptr && found != fonts_.end() && found->second) {
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(found->second.get()), TRUE);
    }
}

bool Toolkit::LoadImageFromIco(int number, const unsigned char* bytes, std::size_t size) {
    IconHandle icon = IconFromIcoFile(bytes, size, 16, 16);
    if (!icon) {
        return false;
    }
    images_[number] = std::move(icon);
    return true;
}

HICON Toolkit::ImageHandle(int number) const {
    const auto found = images_.find(number);
    return found == images_.end() ? nullptr : found->second.get();
}

void MoveFocus(const WindowState& state, bool forward) {
    std::vector<HWND> stops;
    for (const auto& entry : state.controls) {
        HWND control = entry.second;
        if (IsWindowEnabled(control) && IsWindowVisible(control) &&
            (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP)) {
            stops.push_back(control);
        }
    }
    if (stops.empty()) {
        return;
    }
    HWND focus = GetFocus();
    int current = -1;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == focus || IsChild(stops[i], focus)) {
            current = static_cast<int>(i);
        }
    }
    const int count = static_cast<int>(stops.size());
    int next;
    if (current < 0) {
        next = forward ? 0 : count - 1;
    } else {
        next = (current + (forward ? 1 : count - 1)) % count;
    }
    SetFocus(stops[static_cast<std::size_t>(next)]);
}

} // namespace toolkit

// Toolkit windows: creation, placement, the window procedure and closing.
#include "toolkit/toolkit.h"
#include "toolkit/window_state.h"

#include <commctrl.h>

#include <algorithm>

namespace toolkit {
namespace {

int ControlEventTypeOf(UINT code) {
    switch (code) {
    case NM_CLICK:
        return ControlLeftClick;
    case NM_RCLICK:
        return ControlRightClick;
    case NM_DBLCLK:
        return ControlLeftDoubleClick;
    case NM_RDBLCLK:
        return ControlRightDoubleClick;
    default:
        return ControlOther;
    }
}

int ControlNumberOf(const WindowState& state, HWND control) {
    for (const auto& [number, hwnd] : state.controls) {
        if (hwnd == control) {
            return number;
        }
    }
    return 0;
}

void OnNotify(WindowState& state, const NMHDR& header) {
    const int control = ControlNumberOf(state, header.hwndFrom);
    if (control == 0) {
        return; // tooltips and other helpers of the controls
    }
    int type = ControlEventTypeOf(header.code);
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!(change.uChanged & LVIF_STATE) ||
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) {
            return;
        }
        type = ControlSelectionChange;
    } else if (type == ControlOther) {
        return;
    }
    state.toolkit->QueueEvent({EventControl, state.number, 0, control, type});
}

void OnCommand(WindowState& state, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) {
        // A notification of a control, which the program does not act on.
        state.toolkit->QueueEvent({EventControl, state.number, 0,
                                   ControlNumberOf(state, reinterpret_cast<HWND>(lParam)),
                                   static_cast<int>(HIWORD(wParam)) + 1000});
        return;
    }
    if (id == kCommandNextControl || id == kCommandPreviousControl) {
        MoveFocus(state, id == kCommandNextControl);
        return;
    }
    state.toolkit->RaiseCommand(id);
}

// The control that had the focus is noted when the window is deactivated
// and gets it back when the window is activated again.
bool OnActivate(WindowState& state, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(state.hwnd, focus)) {
            state.savedFocus = focus;
        }
        return false;
    }
    if (state.savedFocus != nullptr && IsWindow(state.savedFocus) &&
        IsChild(state.hwnd, state.savedFocus)) {
        SetFocus(state.savedFocus);
        return true;
    }
    return false;
}

} // namespace

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* state = static_cast<WindowState*>(create->lpCreateParams);
        state->hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (state == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_CLOSE:
        // The program decides when the window goes; it is not destroyed here.
        state->toolkit->QueueEvent({EventCloseRequest, state->number, 0, 0, 0});
        return 0;
    case WM_COMMAND:
        OnCommand(*state, wParam, lParam);
        return 0;
    case WM_NOTIFY:
        OnNotify(*state, *reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (OnActivate(*state, wParam)) {
            return 0;
        }
        break;
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure.CtlType == ODT_MENU) {
            MeasureMenuEntry(*state, measure);
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw.CtlType == ODT_MENU) {
            DrawMenuEntry(draw);
            return TRUE;
        }
        if (draw.hwndItem != nullptr && draw.hwndItem == state->statusBar) {
            DrawStatusImage(draw);
            return TRUE;
        }
        break;
    }
    case WM_SIZE:
        LayOutStatusBar(*state);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

Toolkit::Toolkit() : instance_(GetModuleHandleA(nullptr)) {}

Toolkit::~Toolkit() {
    CloseAllWindows();
}

HWND Toolkit::OpenWindow(int number, DWORD style, int clientWidth, int clientHeight,
                         HICON classIcon, HICON smallIcon) {
    if (windows_.count(number) != 0) {
        return nullptr;
    }
    auto state = std::make_unique<WindowState>();
    state->toolkit = this;
    state->number = number;
    state->className = "WindowClass_" + std::to_string(number);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ToolkitWindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = classIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = state->className.c_str();
    if (RegisterClassExA(&windowClass) == 0) {
        return nullptr;
    }

    // The outer size for the client area, cut to the screen, centred on it.
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int width = std::min<int>(outer.right - outer.left, screenWidth);
    const int height = std::min<int>(outer.bottom - outer.top, screenHeight);
    const int left = (screenWidth - width) / 2;
    const int top = (screenHeight - height) / 2;

    HWND hwnd = CreateWindowExA(0, state->className.c_str(), "", style, left, top, width, height,
                                nullptr, nullptr, instance_, state.get());
    if (hwnd == nullptr) {
        UnregisterClassA(state->className.c_str(), instance_);
        return nullptr;
    }
    // Every window moves the focus itself with Tab and Shift+Tab.
    state->shortcuts = {{FVIRTKEY | FNOINVERT, VK_TAB, kCommandNextControl},
                        {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, kCommandPreviousControl}};
    state->shortcutTable.reset(CreateAcceleratorTableA(state->shortcuts.data(),
                                                       static_cast<int>(state->shortcuts.size())));
    windows_[number] = std::move(state);
    return hwnd;
}

void Toolkit::ShowWindowNormal(int number) const {
    if (HWND hwnd = WindowHandle(number)) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
}

void Toolkit::SetWindowTitle(int number, const std::string& title) const {
    if (HWND hwnd = WindowHandle(number)) {
        SetWindowTextA(hwnd, title.c_str());
    }
}

void Toolkit::CloseWindow(int number) {
    const auto found = windows_.find(number);
    if (found == windows_.end()) {
        return;
    }
    WindowState& state = *found->second;
    // Destroys the controls, the status bar, the tooltips and the menu bar.
    DestroyWindow(state.hwnd);
    state.shortcutTable.reset();
    state.listImages.clear();
    UnregisterClassA(state.className.c_str(), instance_);
    for (auto bar = statusBarWindows_.begin(); bar != statusBarWindows_.end();) {
        bar = bar->second == number ? statusBarWindows_.erase(bar) : std::next(bar);
    }
    if (menuWindow_ == &state) {
        menuWindow_ = nullptr;
    }
    windows_.erase(found);
}

void Toolkit::CloseAllWindows() {
    while (!windows_.empty()) {
        CloseWindow(windows_.begin()->first);
    }
}

HWND Toolkit::WindowHandle(int number) const {
    const auto found = windows_.find(number);
    return found == windows_.end() ? nullptr : found->second->hwnd;
}

void Toolkit::ActivateWindow(int number) const {
    if (HWND hwnd = WindowHandle(number)) {
        SetActiveWindow(hwnd);
    }
}

WindowState* Toolkit::StateOf(HWND window) const {
    for (const auto& entry : windows_) {
        if (entry.second->hwnd == window) {
            return entry.second.get();
        }
    }
    return nullptr;
}

void Toolkit::ReleaseImagesAndFonts() {
    images_.clear();
    fonts_.clear();
}

} // namespace toolkit

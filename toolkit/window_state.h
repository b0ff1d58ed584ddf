#pragma once
// What the toolkit keeps for each of its windows. Internal to the toolkit.
#include "toolkit/handles.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace toolkit {

class Toolkit;

// An owner-drawn drop-down item or separator of an image menu.
struct MenuEntry {
    std::string text;
    HICON icon = nullptr;
    bool separator = false;
};

// The small-icon list of a list-view control and which image sits where.
struct ListImages {
    ImageListHandle list;
    std::map<int, int> indexOfImage;
};

struct WindowState {
    Toolkit* toolkit = nullptr;
    int number = 0;
    HWND hwnd = nullptr;
    std::string className;

    // Controls in creation order, which is also the tab order.
    std::vector<std::pair<int, HWND>> controls;
    std::map<HWND, ListImages> listImages;
    HWND savedFocus = nullptr;

    std::vector<ACCEL> shortcuts;
    AcceleratorHandle shortcutTable;

    HWND statusBar = nullptr;
    std::vector<int> statusWidths;

    HMENU menuBar = nullptr; // destroyed with the window
    HMENU currentPopup = nullptr;
    int menuLook = 0;
    std::vector<std::unique_ptr<MenuEntry>> menuEntries;
    FontHandle menuFont;
};

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Owner drawing, in image_menu.cpp and status_bar.cpp.
void MeasureMenuEntry(WindowState& state, MEASUREITEMSTRUCT& measure);
void DrawMenuEntry(const DRAWITEMSTRUCT& draw);
void DrawStatusImage(const DRAWITEMSTRUCT& draw);
void LayOutStatusBar(const WindowState& state);

// Keyboard focus moves between the tab-stop controls, in creation order.
void MoveFocus(const WindowState& state, bool forward);

} // namespace toolkit

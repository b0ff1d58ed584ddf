#pragma once
// The program's numbers for its GUI objects and commands, and its keyboard
// shortcuts: the one table that the menu, the shortcut table and the event
// loop all use.
#include "toolkit/toolkit.h"

#include <windows.h>

namespace tarvelo {

constexpr int MainWindow = 1;

enum Control {
    ResultsFrame = 10,
    ResultList = 11,
    SearchFrame = 12,
    SearchCaption = 13,
    OperatorBox = 14,
    FieldBox = 15,
    SearchTextBox = 16,
};

enum Image { TagIcon = 1, BubbleIcon, CopyIcon, AboutIcon, KeysIcon, HelpIcon };

constexpr int MainStatusBar = 1;
constexpr int MainMenu = 1;

enum Command {
    MenuUpdateDatabase = 2,
    MenuExit = 3,
    MenuCopyPostcode = 5,
    MenuAbout = 7,
    MenuKeysList = 8,
    MenuHelp = 9,
    ShortcutQuit = 17,
    ShortcutSearch = 18,
};

struct ShortcutBinding {
    int shortcut; // virtual key with the toolkit's modifier bits
    int command;
};

constexpr ShortcutBinding kShortcuts[] = {
    {toolkit::kShortcutAlt | 'X', ShortcutQuit},
    {VK_RETURN, ShortcutSearch},
};

} // namespace tarvelo

#include "app/main_menu.h"

#include "app/ids.h"

namespace tarvelo {

void BuildMainMenu(toolkit::Toolkit& gui) {
    if (gui.CreateImageMenu(MainMenu, gui.WindowHandle(MainWindow), toolkit::kMenuModernLook) ==
        nullptr) {
        return;
    }
    gui.AddMenuTitle("Files");
    gui.AddMenuItem(MenuUpdateDatabase, "Update database", gui.ImageHandle(TagIcon));
    gui.AddMenuSeparator();
    gui.AddMenuItem(MenuExit, "Exit Tarvelo", gui.ImageHandle(BubbleIcon));
    gui.AddMenuTitle("Tools");
    gui.AddMenuItem(MenuCopyPostcode, "Copy Tarvelo", gui.ImageHandle(CopyIcon));
    gui.AddMenuTitle("Help Menu");
    gui.AddMenuItem(MenuAbout, "About Tarvelo", gui.ImageHandle(AboutIcon));
    gui.AddMenuItem(MenuKeysList, "Keys List", gui.ImageHandle(KeysIcon));
    gui.AddMenuItem(MenuHelp, "Help Me", gui.ImageHandle(HelpIcon));
}

void RegisterShortcuts(toolkit::Toolkit& gui) {
    for (const ShortcutBinding& binding : kShortcuts) {
        gui.AddKeyboardShortcut(MainWindow, binding.shortcut, binding.command);
    }
}

} // namespace tarvelo

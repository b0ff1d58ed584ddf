// Keyboard shortcuts and the blocking event wait.
#include "toolkit/toolkit.h"
#include "toolkit/window_state.h"

namespace toolkit {

void Toolkit::AddKeyboardShortcut(int window, int shortcut, int command) {
    const auto found = windows_.find(window);
    if (found == windows_.end()) {
        return;
    }
    WindowState& state = *found->second;
    BYTE flags = FVIRTKEY | FNOINVERT;
    if (shortcut & kShortcutShift) {
        flags |= FSHIFT;
    }
    if (shortcut & kShortcutControl) {
        flags |= FCONTROL;
    }
    if (shortcut & kShortcutAlt) {
        flags |= FALT;
    }
    const auto key = static_cast<WORD>(shortcut & 0xFFFF);
    bool replaced = false;
    for (ACCEL& entry : state.shortcuts) {
        if (entry.key == key && entry.fVirt == flags) {
            entry.cmd = static_cast<WORD>(command);
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        state.shortcuts.push_back({flags, key, static_cast<WORD>(command)});
    }
    state.shortcutTable.reset();
    state.shortcutTable.reset(
        CreateAcceleratorTableA(state.shortcuts.data(), static_cast<int>(state.shortcuts.size())));
}

HACCEL Toolkit::ShortcutTable(int window) const {
    const auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second->shortcutTable.get();
}

Event Toolkit::WaitForEvent() {
    if (!queue_.empty()) {
        const Event event = queue_.front();
        queue_.pop_front();
        return event;
    }
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
        return Event{static_cast<int>(WM_QUIT)};
    }
    pendingCommand_ = 0;
    HWND active = GetActiveWindow();
    const WindowState* state = active != nullptr ? StateOf(active) : nullptr;
    const bool shortcut = state != nullptr && state->shortcutTable &&
                          TranslateAcceleratorA(active, state->shortcutTable.get(), &message);
    if (!shortcut) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (pendingCommand_ != 0) {
        Event event{EventCommand};
        event.command = pendingCommand_;
        pendingCommand_ = 0;
        return event;
    }
    return Event{static_cast<int>(message.message)};
}

} // namespace toolkit

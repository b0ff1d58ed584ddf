#pragma once
// The events that the toolkit's blocking wait hands out.

namespace toolkit {

enum EventKind {
    EventCloseRequest = 16, // the user asked to close a window
    EventControl = 13100,   // a control reported something
    EventCommand = 13101,   // a menu item or a keyboard shortcut was chosen
};

// Control event types.
enum ControlEventType {
    ControlLeftClick = 0,
    ControlRightClick = 1,
    ControlLeftDoubleClick = 2,
    ControlRightDoubleClick = 3,
    ControlSelectionChange = 768,
    ControlOther = -1,
};

struct Event {
    int kind = 0;    // an EventKind, or the Win32 number of the message handled
    int window = 0;  // window number, for close requests and control events
    int command = 0; // command id, for EventCommand
    int control = 0; // control number, for EventControl
    int type = 0;    // ControlEventType, for EventControl
};

// The commands with which every window moves the keyboard focus itself.
constexpr int kCommandNextControl = 64001;
constexpr int kCommandPreviousControl = 64002;

} // namespace toolkit

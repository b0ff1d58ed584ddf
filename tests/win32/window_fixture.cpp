#include "window_fixture.h"

#include <commctrl.h>

#include <thread>

namespace tarvelo_test {

std::map<int, MainWindowTest::Created>& MainWindowTest::CreatedControls() {
    static std::map<int, Created> created;
    return created;
}

namespace {
LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (create.style & WS_CHILD) {
            MainWindowTest::CreatedControls()[static_cast<int>(reinterpret_cast<INT_PTR>(
                create.hMenu))] = {static_cast<DWORD>(create.style), create.dwExStyle};
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

void MainWindowTest::SetUp() {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    previousDirectory_ = current;
    folder_ = std::make_unique<TempFolder>("window");
    SetCurrentDirectoryA(folder_->path().c_str());
    app().quitRequested = 0;
    CreatedControls().clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    const bool started = tarvelo::StartUp(app());
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(started);
    PumpEvents();
}

void MainWindowTest::TearDown() {
    tarvelo::ShutDown(app());
    app().gui.DiscardQueuedEvents();
    SetCurrentDirectoryA(previousDirectory_.c_str());
    folder_.reset();
}

std::string MainWindowTest::StatusText() {
    char text[1024] = {};
    const LRESULT length = SendMessageA(statusBar(), SB_GETTEXTLENGTHA, 1, 0);
    if (LOWORD(length) >= sizeof(text)) {
        return "<too long>";
    }
    SendMessageA(statusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
}

namespace {
bool IsProgramEvent(const toolkit::Event& event) {
    return event.kind == toolkit::EventCloseRequest || event.kind == toolkit::EventCommand ||
           event.kind == toolkit::EventControl;
}
} // namespace

std::vector<toolkit::Event> MainWindowTest::PumpEvents() {
    std::vector<toolkit::Event> events;
    MSG peek;
    // A queued event, or a waiting message, means there is more to hand out.
    for (int guard = 0; guard < 10000; ++guard) {
        toolkit::Event event;
        if (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            event = app().gui.WaitForEvent();
        } else {
            // Only queued events can be left: post a harmless message so
            // that the wait never blocks, and take what comes first.
            PostMessageA(nullptr, WM_NULL, 0, 0);
            event = app().gui.WaitForEvent();
            if (event.kind == static_cast<int>(WM_NULL)) {
                break;
            }
        }
        if (IsProgramEvent(event)) {
            events.push_back(event);
        }
    }
    return events;
}

std::vector<toolkit::Event> MainWindowTest::PumpAndDispatch() {
    std::vector<toolkit::Event> events = PumpEvents();
    for (const toolkit::Event& event : events) {
        tarvelo::Dispatch(app(), event);
    }
    return events;
}

std::vector<toolkit::Event> MainWindowTest::PressKey(UINT key, std::vector<UINT> modifiers,
                                                     bool extended) {
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    GetKeyboardState(held);
    bool alt = false;
    for (UINT modifier : modifiers) {
        held[modifier] = 0x80;
        alt = alt || modifier == VK_MENU;
    }
    SetKeyboardState(held);
    HWND target = GetFocus() != nullptr ? GetFocus() : window();
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (extended ? (1 << 24) : 0);
    if (alt) {
        down |= 1 << 29;
    }
    const LPARAM up = down | (1u << 30) | (1u << 31);
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, up);
    std::vector<toolkit::Event> events = PumpEvents();
    SetKeyboardState(saved);
    return events;
}

struct BoxCloser::State {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    std::thread thread;
};

BoxCloser::BoxCloser(std::string caption) : state_(std::make_unique<State>()) {
    state_->caption = std::move(caption);
    State* state = state_.get();
    state_->thread = std::thread([state] {
        HWND box = nullptr;
        WaitFor([&] {
            box = FindWindowA("#32770", state->caption.c_str());
            return box != nullptr && IsWindowVisible(box);
        });
        if (box != nullptr) {
            state->text = MessageBoxText(box);
            state->owner = GetWindow(box, GW_OWNER);
            PressOk(box);
        }
    });
}

BoxCloser::~BoxCloser() {
    if (state_->thread.joinable()) {
        state_->thread.join();
    }
}

std::string BoxCloser::Text() {
    if (state_->thread.joinable()) {
        state_->thread.join();
    }
    return state_->text;
}

HWND BoxCloser::Owner() {
    Text();
    return state_->owner;
}

} // namespace tarvelo_test

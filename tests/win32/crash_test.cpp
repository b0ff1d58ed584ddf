// The fault report: what the filter keeps of a fault, the box that shows it,
// and the whole path in a running program made to fault from outside.
#include "fault_injector.h"
#include "program_runner.h"

#include "crash/fault_record_win32.h"
#include "crash/report.h"
#include "crash/report_box_win32.h"
#include "store/database.h"
#include "store/record_count.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

using namespace tarvelo_test;

namespace {

constexpr const char* kDatabaseRelative = "Database\\Tarvelos v0.00.ptk";

std::vector<std::string> Lines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find('\r', start)) != std::string::npos; start = end + 1) {
        lines.push_back(report.substr(start, end - start));
    }
    return lines;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

} // namespace

// ---------------------------------------------------------------------------
// The record the filter fills from the exception and context records.

struct RecordCase {
    const char* name;
    DWORD code;
    DWORD parameters;
    std::uint32_t expectedTarget;
};

void PrintTo(const RecordCase& record, std::ostream* out) {
    *out << record.name;
}

class FaultRecordFromException : public ::testing::TestWithParam<RecordCase> {};

TEST_P(FaultRecordFromException, TakesCodeAddressTargetAndRegisters) {
    EXCEPTION_RECORD exception{};
    exception.ExceptionCode = GetParam().code;
    exception.ExceptionAddress = reinterpret_cast<void*>(0x00401000);
    exception.NumberParameters = GetParam().parameters;
    exception.ExceptionInformation[0] = 1; // a write
    exception.ExceptionInformation[1] = 0xFFFFFFF0;
    CONTEXT context{};
    context.Eax = 1;
    context.Ebx = 2;
    context.Ecx = 3;
    context.Edx = 4;
    context.Ebp = 5;
    context.Esi = 6;
    context.Edi = 7;
    context.Esp = 8;
    context.Eip = 9; // the exception record's address is the one reported

    const tarvelo::FaultRecord fault = tarvelo::RecordFault(exception, context);
    EXPECT_EQ(fault.code, GetParam().code);
    EXPECT_EQ(fault.address, 0x00401000u);
    EXPECT_EQ(fault.targetAddress, GetParam().expectedTarget);
    const std::uint32_t registers[] = {fault.eax, fault.ebx, fault.ecx, fault.edx,
                                       fault.ebp, fault.esi, fault.edi, fault.esp};
    for (std::uint32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(registers[i], i + 1) << "register " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Exceptions, FaultRecordFromException,
    ::testing::Values(RecordCase{"AccessViolation", 0xC0000005, 2, 0xFFFFFFF0},
                      RecordCase{"AccessViolationWithOneWord", 0xC0000005, 1, 0},
                      RecordCase{"AccessViolationWithNoWords", 0xC0000005, 0, 0},
                      RecordCase{"InPageErrorCarriesWordsButNoTarget", 0xC0000006, 3, 0},
                      RecordCase{"DivisionByZero", 0xC0000094, 2, 0}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// The report's box, shown on this thread while a second thread looks at it.

namespace {

class ThreadWindow {
  public:
    ThreadWindow(const char* title, DWORD exStyle, bool visible, bool enabled) {
        window_ = CreateWindowExA(exStyle, "Static", title, WS_POPUP | WS_CAPTION, 10, 10, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (visible) {
            ShowWindow(window_, SW_SHOWNOACTIVATE);
        }
        EnableWindow(window_, enabled ? TRUE : FALSE);
    }
    ThreadWindow(const ThreadWindow&) = delete;
    ThreadWindow& operator=(const ThreadWindow&) = delete;
    ~ThreadWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

struct SeenWhileOpen {
    bool found = false;
    std::string text;
    HWND owner = nullptr;
    bool frontEnabled = true;
    bool plainEnabled = true;
    bool topmostEnabled = true;
    bool topmostStillTopmost = true;
    bool disabledEnabled = true;
    bool hiddenEnabled = false;
};

} // namespace

TEST(ReportBox, SetsTheThreadsOtherWindowsAsideWhileOpen) {
    const ThreadWindow front("front", 0, true, true);
    const ThreadWindow plain("plain", 0, true, true);
    const ThreadWindow topmost("topmost", WS_EX_TOPMOST, true, true);
    const ThreadWindow disabled("disabled", 0, true, false);
    const ThreadWindow hidden("hidden", 0, false, true);
    SetForegroundWindow(front.get());
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == front.get(); }));
    ASSERT_TRUE(IsTopmost(topmost.get()));

    SeenWhileOpen seen;
    std::thread watcher([&] {
        HWND box = nullptr;
        seen.found = WaitFor([&] {
            box = FindProcessWindow(GetCurrentProcessId(), "#32770");
            return box != nullptr && IsWindowVisible(box) && WindowText(box) == "OnError example";
        });
        if (!seen.found) {
            return;
        }
        seen.text = MessageBoxText(box);
        seen.owner = GetWindow(box, GW_OWNER);
        seen.frontEnabled = IsWindowEnabled(front.get());
        seen.plainEnabled = IsWindowEnabled(plain.get());
        seen.topmostEnabled = IsWindowEnabled(topmost.get());
        seen.topmostStillTopmost = IsTopmost(topmost.get());
        seen.disabledEnabled = IsWindowEnabled(disabled.get());
        seen.hiddenEnabled = IsWindowEnabled(hidden.get());
        PressOk(box);
    });
    tarvelo::ShowReport("line one\rline two\r");
    watcher.join();

    ASSERT_TRUE(seen.found) << "no box captioned \"OnError example\" appeared";
    EXPECT_EQ(seen.text, "line one\rline two\r");
    EXPECT_EQ(seen.owner, front.get()) << "the foreground window owns the box";
    EXPECT_FALSE(seen.frontEnabled) << "the owner is disabled while its box is open";
    EXPECT_FALSE(seen.plainEnabled);
    EXPECT_FALSE(seen.topmostEnabled);
    EXPECT_FALSE(seen.topmostStillTopmost);
    EXPECT_FALSE(seen.disabledEnabled);
    EXPECT_TRUE(seen.hiddenEnabled) << "a hidden window is left alone";

    EXPECT_TRUE(IsWindowEnabled(front.get()));
    EXPECT_TRUE(IsWindowEnabled(plain.get()));
    EXPECT_TRUE(IsWindowEnabled(topmost.get()));
    EXPECT_TRUE(IsTopmost(topmost.get()));
    EXPECT_FALSE(IsWindowEnabled(disabled.get())) << "a window disabled before stays disabled";
    EXPECT_TRUE(IsWindowEnabled(hidden.get()));
}

// ---------------------------------------------------------------------------
// The program made to fault on its GUI thread, from outside.

namespace {

// Prepares the database with two rows, starts the program on it and waits
// for its window.
class FaultingProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryA((folder_.path() + "Database").c_str(), nullptr);
        std::ofstream(database(), std::ios::binary).flush();
        {
            tarvelo::DatabaseConnection connection = tarvelo::OpenConnection(database());
            ASSERT_TRUE(tarvelo::ExecuteUpdate(connection, tarvelo::kCreateTableStatement));
            ASSERT_TRUE(tarvelo::ExecuteUpdate(
                connection, "INSERT INTO postcodes VALUES('3000','MELBOURNE','VIC');"
                            "INSERT INTO postcodes VALUES('2000','SYDNEY','NSW')"));
        }
        program_ = std::make_unique<Program>(folder_.path());
        ASSERT_TRUE(program_->started());
        window_ = program_->WaitForMainWindow();
        ASSERT_NE(window_, nullptr);
    }

    std::string database() const { return folder_.path() + kDatabaseRelative; }

    // The database is no longer held by anyone and still holds its rows.
    void ExpectDatabaseClosedAndIntact() const {
        const HANDLE exclusive = CreateFileA(database().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                             nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(exclusive, INVALID_HANDLE_VALUE) << "the database file is still open";
        if (exclusive != INVALID_HANDLE_VALUE) {
            CloseHandle(exclusive);
        }
        EXPECT_FALSE(FileExists(database() + "-journal"));
        tarvelo::DatabaseConnection connection = tarvelo::OpenConnection(database());
        EXPECT_EQ(tarvelo::QueryText(connection, tarvelo::kCountQuery), "2");
    }

    TempFolder folder_{"crash"};
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

struct InjectionCase {
    const char* name;
    FaultKind kind;
    const char* messageLine;
    const char* codeLine;
    std::size_t lineCount;
};

void PrintTo(const InjectionCase& injection, std::ostream* out) {
    *out << injection.name;
}

class FaultReport : public FaultingProgram, public ::testing::WithParamInterface<InjectionCase> {};

} // namespace

TEST_P(FaultReport, IsShownAndTheProgramEndsWithExitCodeZero) {
    const InjectedFault fault = InjectFault(program_->id(), GetParam().kind);
    ASSERT_TRUE(fault.done) << fault.failure;

    const HWND box = program_->WaitForTopWindow(nullptr, "OnError example");
    ASSERT_NE(box, nullptr) << "no report appeared";
    const std::string text = MessageBoxText(box);
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), GetParam().lineCount) << text;
    EXPECT_EQ(lines[2], GetParam().messageLine);
    EXPECT_EQ(lines[3], GetParam().codeLine);
    EXPECT_EQ(lines[4], "Code Address:\t" + tarvelo::SignedDecimal(fault.expected.address));
    if (fault.expected.code == tarvelo::kAccessViolation) {
        EXPECT_EQ(lines[5],
                  "Target Address:  \t" + tarvelo::SignedDecimal(fault.expected.targetAddress));
    }
    // The rest, the register lines above all, as the injected code set them.
    const std::string expected = tarvelo::BuildErrorReport(fault.expected);
    if (GetParam().kind != FaultKind::StackOverflow) {
        EXPECT_EQ(text, expected);
    } else {
        // ESP is wherever the stack ran out, below where the code began.
        const std::string espLine = lines.back();
        ASSERT_EQ(espLine.rfind("ESP = \t", 0), 0u) << espLine;
        const long long esp = std::stoll(espLine.substr(7));
        EXPECT_GT(esp, 0);
        EXPECT_LT(esp, static_cast<long long>(fault.codeEsp));
        lines.pop_back();
        std::vector<std::string> expectedLines = Lines(expected);
        expectedLines.pop_back();
        EXPECT_EQ(lines, expectedLines);
    }
    EXPECT_TRUE(IsWindow(window_)) << "the program stands still while the report is shown";

    PressOk(box);
    EXPECT_EQ(program_->WaitForExit(), 0u);
    EXPECT_FALSE(IsWindow(window_));
    ExpectDatabaseClosedAndIntact();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultReport,
    ::testing::Values(
        InjectionCase{"ReadFromAReservedPage", FaultKind::ReadReservedPage,
                      "Error Message: \tInvalid memory access", "Error Code: \t-1073741819", 17},
        InjectionCase{"JumpToAddressZero", FaultKind::JumpToAddressZero,
                      "Error Message: \tInvalid memory access", "Error Code: \t-1073741819", 17},
        InjectionCase{"IntegerDivisionByZero", FaultKind::IntegerDivideByZero,
                      "Error Message: \tDivision by zero ", "Error Code: \t-1073741676", 16},
        InjectionCase{"StackOverflow", FaultKind::StackOverflow, "Error Message: \tStack overflow",
                      "Error Code: \t-1073741571", 16}),
    [](const ::testing::TestParamInfo<InjectionCase>& info) { return info.param.name; });

// A fault on the GUI thread while its report is open (the thread is then in
// the box's own message loop, inside the filter) ends the process at once,
// with exit code 0 and without a second report.
TEST_F(FaultingProgram, SecondFaultWhileReportingEndsTheProgramAtOnce) {
    const InjectedFault first = InjectFault(program_->id(), FaultKind::ReadReservedPage);
    ASSERT_TRUE(first.done) << first.failure;
    const HWND box = program_->WaitForTopWindow(nullptr, "OnError example");
    ASSERT_NE(box, nullptr) << "no report appeared";

    const InjectedFault second = InjectFault(program_->id(), FaultKind::JumpToAddressZero);
    ASSERT_TRUE(second.done) << second.failure;
    EXPECT_EQ(program_->WaitForExit(), 0u);
    ExpectDatabaseClosedAndIntact();
}

// A fault while an import is running: crash_during_import_test.cpp.

#pragma once
// Makes a running program fault on its GUI thread, from outside and without
// a debugger: a few instructions are written into the program, the thread is
// suspended, its instruction pointer moved to them, and it is resumed. The
// program needs no switch, variable or file for it.
#include "crash/report.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace tarvelo_test {

enum class FaultKind {
    ReadReservedPage,    // read from a reserved, uncommitted page: access violation
    JumpToAddressZero,   // jump to address 0: access violation at 0
    IntegerDivideByZero, // "div" by a zero register
    StackOverflow        // a call to itself, until the stack is used up
};

// When the thread is pointed at the fault's code.
enum class Timing {
    WhenAtRest, // once it waits for its next message
    AtOnce      // whatever it is doing, as soon as it is seen in the program's own code
};

struct InjectedFault {
    bool done = false;
    std::string failure; // what went wrong when not done
    // What the report should hold: the code, the address of the faulting
    // instruction, the failed access's address and the registers as they
    // were when the fault was raised. EBP and ESP are 0 when the process
    // ended before they could be read; ESP is 0 after a stack overflow, whose
    // ESP lies somewhere below codeEsp.
    tarvelo::FaultRecord expected{};
    std::uint32_t codeEsp = 0; // ESP when the code started
};

// The top-level window of class className that belongs to processId, or null.
HWND FindProcessWindow(DWORD processId, const char* className);

// Makes the thread that owns the process's window of class "WindowClass_1"
// fault as kind says, and returns once the fault is being handled: a new
// message box has appeared or the process has ended. Before the faulting
// instruction the general registers but EBP and ESP are loaded with distinct
// values, so that the report's register lines can be checked. WhenAtRest
// suits a program that waits for input; AtOnce one that is busy in a command
// (an import, say) and would not come to rest before the command ends.
InjectedFault InjectFault(DWORD processId, FaultKind kind, Timing timing = Timing::WhenAtRest);

} // namespace tarvelo_test

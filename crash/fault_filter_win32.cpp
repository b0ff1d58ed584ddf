#include "crash/fault_filter_win32.h"

#include "crash/fault_record_win32.h"
#include "crash/report.h"
#include "crash/report_box_win32.h"

#include <windows.h>

namespace tarvelo {

namespace {

// The filter's process-wide state: what start-up gave it, and the one fault
// it reports.
struct FaultFilterState {
    bool installed = false;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
    EndProgramRoutine endProgram = nullptr;
    FaultRecord fault{};
};

FaultFilterState state;

// Once a fault is being reported, a further one (in the report, in the
// EndProgram that follows it, or on another thread) ends the process at once
// with exit code 0. A vectored handler sees it first; the filter would not
// be asked again while it is still running.
LONG CALLBACK EndOnFurtherFault(EXCEPTION_POINTERS* pointers) {
    if (IsKnownFault(pointers->ExceptionRecord->ExceptionCode)) {
        TerminateProcess(GetCurrentProcess(), 0);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void ReportProgramError() {
    ShowReport(BuildErrorReport(state.fault));
    if (state.endProgram != nullptr) {
        state.endProgram();
    }
    // EndProgram does not return; were it to, the fault must still not go
    // back to the system.
    ExitProcess(0);
}

void WINAPI ReportOnStackOfItsOwn(void*) {
    ReportProgramError();
}

LONG WINAPI FaultFilter(EXCEPTION_POINTERS* pointers) {
    AddVectoredExceptionHandler(1, EndOnFurtherFault);
    state.fault = RecordFault(*pointers->ExceptionRecord, *pointers->ContextRecord);
    // After a stack overflow the thread's stack has no room left for the
    // message box. The report then runs on a fiber, with a stack of the
    // program's default size; a fiber runs on the same thread, so the box and
    // the windows it sets aside belong to that thread as usual.
    if (state.fault.code == EXCEPTION_STACK_OVERFLOW &&
        (IsThreadAFiber() || ConvertThreadToFiber(nullptr) != nullptr)) {
        if (void* const fiber = CreateFiber(0, ReportOnStackOfItsOwn, nullptr)) {
            SwitchToFiber(fiber);
        }
    }
    ReportProgramError();
}

} // namespace

void InstallFaultFilter(EndProgramRoutine endProgram) {
    state.endProgram = endProgram;
    state.previousFilter = SetUnhandledExceptionFilter(FaultFilter);
    state.installed = true;
}

void RemoveFaultFilter() {
    if (!state.installed) {
        return;
    }
    SetUnhandledExceptionFilter(state.previousFilter);
    state.previousFilter = nullptr;
    state.installed = false;
}

} // namespace tarvelo

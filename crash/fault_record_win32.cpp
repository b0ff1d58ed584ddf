#include "crash/fault_record_win32.h"

#include <cstdint>

#if !defined(__i386__) && !defined(_M_IX86)
#error "the fault record reads the registers of a 32-bit x86 context"
#endif

namespace tarvelo {

FaultRecord RecordFault(const EXCEPTION_RECORD& exception, const CONTEXT& context) {
    FaultRecord fault{};
    fault.code = exception.ExceptionCode;
    fault.address =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(exception.ExceptionAddress));
    // Word 0 says whether the access read, wrote or executed; word 1 is the
    // address it failed on.
    if (exception.ExceptionCode == kAccessViolation && exception.NumberParameters >= 2) {
        fault.targetAddress = static_cast<std::uint32_t>(exception.ExceptionInformation[1]);
    }
    fault.eax = context.Eax;
    fault.ebx = context.Ebx;
    fault.ecx = context.Ecx;
    fault.edx = context.Edx;
    fault.ebp = context.Ebp;
    fault.esi = context.Esi;
    fault.edi = context.Edi;
    fault.esp = context.Esp;
    return fault;
}

} // namespace tarvelo

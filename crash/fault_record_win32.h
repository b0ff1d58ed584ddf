#pragma once
// What the report keeps of a 32-bit x86 exception and its context record.
#include "crash/report.h"

#include <windows.h>

namespace tarvelo {

// The code and address of the exception, the failed access's address for an
// access violation that carries it, and the eight main registers.
FaultRecord RecordFault(const EXCEPTION_RECORD& exception, const CONTEXT& context);

} // namespace tarvelo

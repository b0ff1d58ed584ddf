#pragma once
// The process's unhandled-exception filter: a processor fault that nothing
// handles is shown in the report's message box, then the program ends.
namespace tarvelo {

using EndProgramRoutine = void (*)(); // does not return

// Start-up step 2: FaultFilter becomes the process's unhandled-exception filter; the previous
// filter is kept.
void InstallFaultFilter(EndProgramRoutine endProgram);

// EndProgram step 1: the previous filter is put back and forgotten.
void RemoveFaultFilter();

} // namespace tarvelo

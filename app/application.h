#pragma once
// The program's process-wide state, created during start-up and held until
// the process ends, and the routines that bring it up and take it down.
#include "app/balloon_tips.h"
#include "app/status_line.h"
#include "store/database.h"
#include "store/locations.h"
#include "store/postcode_record.h"
#include "toolkit/handles.h"
#include "toolkit/toolkit.h"

namespace tarvelo {

struct Application {
    toolkit::Toolkit gui;
    Locations locations;
    DatabaseConnection database;
    PostcodeRecord record;
    TipRegistry tips;
    ProgramStatusLine status{gui};
    toolkit::FileHandle openFile; // the CSV file while an import reads it
    int quitRequested = 0;
};

// The one instance. EndProgram reaches it from the fault filter too.
Application& App();

// Start-up up to the event loop. False when the main window could not be
// created; the caller then ends the program.
bool StartUp(Application& app);

// Waits for events and dispatches them until a quit is requested.
void RunEventLoop(Application& app);

// Runs one event through the dispatch table.
void Dispatch(Application& app, const toolkit::Event& event);

// Shutdown without ending the process: restores the previous fault filter,
// closes the windows, releases images and fonts, closes open files and the
// database connection.
void ShutDown(Application& app);

// ShutDown, then the process ends with exit code 0.
[[noreturn]] void EndProgram();

} // namespace tarvelo

#pragma once
// The toolbox program as the runtime sees it: its program data and its entry stub.
#include "base/program/program_header.h"

namespace toolbox {

// The program header: build mode, handler table, constant area, window template data and the
// four support libraries.
const runtime::ProgramHeader& ProgramData();

// Command `command` of the library at place `library` (from 1) of the program's library table.
runtime::LibraryCommand LibraryCommand(uint32_t library, int command);

// Called once by the framework start-up: starts the host on the program data, loads the main
// window and runs until no window is left. Answers 0.
int EntryStub();

// Loads a tool window modally over the main window, given its id and its own unit's; returns when
// the window has closed.
void OpenModally(uint32_t window, uint32_t ownUnit);

}  // namespace toolbox

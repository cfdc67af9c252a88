#pragma once
// The core support library: the window, edit box, picture box, group box and hyperlink box unit
// types, and the commands that load windows and convert values.
#include "base/program/program_header.h"

namespace units {

const runtime::LibraryRecord& CoreLibrary();

// Loads a window: (window, optional parent window, modal) -> bool, true when the window is
// loaded or was loaded already.
void LoadWindowCommand(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args);

// The host notify function the library received at start-up (null before).
runtime::HostNotify CoreHostNotify();

}  // namespace units

#pragma once
// The web page library: the web browser box unit type and its Navigate command.
#include "base/program/program_header.h"

namespace units {

const runtime::LibraryRecord& WebLibrary();

// Command 0: (web browser box, address, flags, target frame name, extra request headers), no
// result. The three last are optional (type code 0). A box that is not loaded is the runtime
// error of the host's live-unit request, and nothing happens.
void NavigateCommand(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args);
// The host notify function the library received at start-up (null before).
runtime::HostNotify WebHostNotify();

}  // namespace units

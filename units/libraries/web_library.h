#pragma once
// The web page library: the web browser box unit type and its Navigate command.
#include "runtime/program/program_header.h"

namespace units {

const runtime::LibraryRecord& WebLibrary();
// The host notify function the library received at start-up (null before).
runtime::HostNotify WebHostNotify();

}  // namespace units

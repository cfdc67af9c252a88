#pragma once
// The first extended interface library: the transparent label unit type.
#include "base/program/program_header.h"

namespace units {

const runtime::LibraryRecord& Ui1Library();
// The host notify function the library received at start-up (null before).
runtime::HostNotify Ui1HostNotify();

}  // namespace units

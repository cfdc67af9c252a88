#pragma once
// The second extended interface library: the super button unit type.
#include "base/program/program_header.h"

namespace units {

const runtime::LibraryRecord& Ui2Library();
// The host notify function the library received at start-up (null before).
runtime::HostNotify Ui2HostNotify();

}  // namespace units

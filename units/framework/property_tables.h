#pragma once
// The property tables of the unit types the forms use. Entries 0-7 are the common properties;
// the host knows properties only by number and type, so names stay null.
#include <array>

#include "runtime/program/program_header.h"

namespace units {

extern const std::array<runtime::PropertyEntry, 32> kWindowProperties;
extern const std::array<runtime::PropertyEntry, 35> kSuperBtnProperties;
extern const std::array<runtime::PropertyEntry, 15> kTransLabelProperties;
extern const std::array<runtime::PropertyEntry, 45> kWebBrowserProperties;

}  // namespace units

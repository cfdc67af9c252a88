#pragma once
// Hands units what assistive technology reads of them: the names, descriptions and reading
// orders the program keeps beside its window template.
#include <cstdint>

#include "base/program/program_header.h"

namespace units {
class Unit;
}

namespace runtime {

// Takes the program's table; a damaged table gives no names (the windows work without them).
void AdoptAccessibleNames(const ProgramHeader& header);

// Gives a unit of window `windowId`, just made, its name, description and reading order; a unit
// the table does not name keeps its caption as its name.
void ApplyAccessibleNames(uint32_t windowId, units::Unit& unit);

}  // namespace runtime

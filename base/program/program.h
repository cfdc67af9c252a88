#pragma once
// What the runtime keeps of the program header after start-up.
#include <cstdint>

#include "base/program/program_header.h"

namespace runtime {

struct ProgramState {
  const ProgramHeader* header = nullptr;
  uint32_t buildMode = 0;
  uint32_t reserved = 0;
  uint32_t serialBase = 0;  // the header's value plus 1
};

// Copies what the host needs from the header: build mode, serial base plus 1, the constant data
// range and the external command tables.
void AdoptProgramHeader(const ProgramHeader& header);
const ProgramState& Program();

}  // namespace runtime

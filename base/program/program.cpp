#include "base/program/program.h"

#include "base/program/external_commands.h"
#include "base/program/memory.h"

namespace runtime {
namespace {
ProgramState gProgram;
}

void AdoptProgramHeader(const ProgramHeader& header) {
  gProgram.header = &header;
  gProgram.buildMode = header.buildMode;
  gProgram.reserved = header.reserved;
  gProgram.serialBase = header.serialBase + 1;
  if (header.constantLength != 0) SetConstantArea(header.constantData, header.constantLength);
  SetExternalCommands(header.externalCommandCount, header.externalLibraryNames, header.externalCommandNames);
}

const ProgramState& Program() { return gProgram; }

}  // namespace runtime

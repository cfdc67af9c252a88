#pragma once
// A program of one's own on the runtime: its windows come from a form that formtool compiled, its
// event handlers from its own code, its units from the four support libraries. The build makes
// its main() (cmake/QuarlexProgram.cmake); this is what main() calls.
#include <cstdint>

#include "base/program/program_header.h"

namespace runner {

struct FormProgram {
  const uint8_t* templateData;  // the form's window template data
  uint32_t templateLength;
  const runtime::HandlerTable* handlers;  // kHandlerTable of the form's header
  const uint8_t* accessibleNames = nullptr;  // the table of accessible names compiled beside it
  uint32_t accessibleNamesLength = 0;
};

// Starts the runtime on the program, loads the form's first window and runs until no window is
// left; answers the process's exit code (a runtime error ends the process with -1). Without a
// desktop to show windows on, says so on the standard error and answers 1.
int RunFormProgram(int argc, char** argv, const FormProgram& program);

// The program header of a program on the four support libraries: its template, names and handlers, and
// the constant data area its handlers keep their literals in (none: null and 0).
runtime::ProgramHeader ProgramHeaderOf(const FormProgram& program, const uint8_t* constants = nullptr,
                                       uint32_t constantLength = 0, uint32_t serialBase = 0);

// The program header that RunFormProgram starts the runtime on, made once; for tests that run
// the program in their own process.
const runtime::ProgramHeader& FormProgramHeader(const FormProgram& program);

// The id of the first window of template data, which a program starts with; 0 when there is none.
uint32_t FirstWindowId(const uint8_t* templateData, uint32_t templateLength);

}  // namespace runner

#include "runner/form_program.h"

#include <cstdio>

#include "base/program/bridge.h"
#include "base/program/services.h"
#include "host/host.h"
#include "libraries/support_libraries.h"
#include "platform/desktop_session.h"

namespace runner {
namespace {

// The program being run: the entry stub takes no arguments.
const FormProgram* running = nullptr;

int EntryStub() {
  const runtime::BridgeTable& bridge = runtime::Bridge();
  bridge.service(runtime::service::kStartHost, &FormProgramHeader(*running));
  bridge.loadStartupWindow(FirstWindowId(running->templateData, running->templateLength));
  bridge.run();
  return 0;
}

}  // namespace

uint32_t FirstWindowId(const uint8_t* data, uint32_t length) {
  // The window table comes first: its length word, then the ids.
  if (data == nullptr || length < 8) return 0;
  auto word = [data](size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
  };
  const int32_t tableLength = static_cast<int32_t>(word(0));
  return tableLength >= 8 ? word(4) : 0;
}

runtime::ProgramHeader ProgramHeaderOf(const FormProgram& program, const uint8_t* constants,
                                       uint32_t constantLength, uint32_t serialBase) {
  return {
      3,  // build mode: a window's first show takes its initial state
      0,
      serialBase,
      program.handlers,
      constants,
      constantLength,
      program.templateData,
      program.templateLength,
      static_cast<uint32_t>(units::SupportLibraries().size()),
      units::SupportLibraries().data(),
      0,  // no external commands
      nullptr,
      nullptr,
      program.accessibleNames,
      program.accessibleNamesLength,
  };
}

const runtime::ProgramHeader& FormProgramHeader(const FormProgram& program) {
  // Built on first use: the library records are constants of other translation units.
  static const runtime::ProgramHeader header = ProgramHeaderOf(program);
  return header;
}

int RunFormProgram(int argc, char** argv, const FormProgram& program) {
  // Without a desktop Qt would abort with a message of its own; the user is told what to do.
  if (!platform::FindDesktopSession(argc, argv)) {
    std::fprintf(stderr, "%s\n", platform::NoDesktopMessage(argc > 0 ? argv[0] : "program").c_str());
    return 1;
  }
  running = &program;
  return runtime::StartApplication(argc, argv, EntryStub);
}

}  // namespace runner

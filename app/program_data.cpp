#include "app/constant_area.h"
#include "app/template_data.h"
#include "app/toolbox.h"
#include "libraries/support_libraries.h"
#include "toolbox_forms.h"

namespace toolbox {

const runtime::ProgramHeader& ProgramData() {
  // Built on first use: the library records are constants of other translation units.
  static const runtime::ProgramHeader header = {
      3,  // build mode: a window's first show takes its initial state
      0,
      0x100a5,  // serial base
      &kHandlerTable,  // the handlers the forms name, by the offsets the template stores
      reinterpret_cast<const uint8_t*>(&kConstants),
      sizeof kConstants,
      kTemplateData,
      kTemplateLength,
      static_cast<uint32_t>(units::SupportLibraries().size()),
      units::SupportLibraries().data(),
      0,  // no external commands
      nullptr,
      nullptr,
  };
  return header;
}

runtime::LibraryCommand LibraryCommand(uint32_t library, int command) {
  return ProgramData().libraries[library - 1]->commands[command];
}

}  // namespace toolbox

#include "app/constant_area.h"
#include "app/template_data.h"
#include "app/toolbox.h"
#include "runner/form_program.h"
#include "toolbox_forms.h"

namespace toolbox {
namespace {

constexpr uint32_t kSerialBase = 0x100a5;

}  // namespace

const runtime::ProgramHeader& ProgramData() {
  // Built on first use: the library records are constants of other translation units. The
  // handlers are those the forms name, by the offsets the template stores.
  static const runtime::ProgramHeader header = runner::ProgramHeaderOf(
      {kTemplateData, kTemplateLength, &kHandlerTable, kAccessibleNamesData, kAccessibleNamesLength},
      reinterpret_cast<const uint8_t*>(&kConstants), sizeof kConstants, kSerialBase);
  return header;
}

runtime::LibraryCommand LibraryCommand(uint32_t library, int command) {
  return ProgramData().libraries[library - 1]->commands[command];
}

}  // namespace toolbox

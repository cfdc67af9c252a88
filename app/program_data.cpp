#include <iterator>

#include "app/constant_area.h"
#include "app/handlers.h"
#include "app/template_data.h"
#include "app/toolbox.h"
#include "libraries/support_libraries.h"

namespace toolbox {
namespace {

// The handler offsets the template's event bindings carry, each with its handler.
const int32_t kHandlerOffsets[] = {0, 58, 273, 4894, 4901, 7110, 7168, 7234, 7301};
const runtime::EventHandler kHandlers[] = {
    OpenSchedulePage,        // 0: main window, 超级按钮4
    OpenAnswerPage,          // 58: main window, 超级按钮3
    CalculateScore,          // 273: score calculator, 超级按钮1
    PriceCalculatorCreated,  // 4894: price calculator, created
    CalculatePrice,          // 4901: price calculator, 超级按钮1
    OpenScoreCalculator,     // 7110: main window, 超级按钮2
    OpenPriceCalculator,     // 7168: main window, 超级按钮1
    ShowSchedulePage,        // 7234: schedule window, created
    ShowAnswerPage,          // 7301: answer page window, created
};
static_assert(std::size(kHandlerOffsets) == std::size(kHandlers));

const runtime::HandlerTable kHandlerTable = {static_cast<uint32_t>(std::size(kHandlers)), kHandlerOffsets,
                                             kHandlers};

}  // namespace

const runtime::ProgramHeader& ProgramData() {
  // Built on first use: the library records are constants of other translation units.
  static const runtime::ProgramHeader header = {
      3,  // build mode: a window's first show takes its initial state
      0,
      0x100a5,  // serial base
      &kHandlerTable,
      reinterpret_cast<const uint8_t*>(&kConstants),
      sizeof kConstants,
      kTemplateData,
      kTemplateLength,
      static_cast<uint32_t>(units::SupportLibraries().size()),
      units::SupportLibraries().data(),
      0,  // no external commands
      nullptr,
      nullptr,
      kAccessibleNamesData,
      kAccessibleNamesLength,
  };
  return header;
}

runtime::LibraryCommand LibraryCommand(uint32_t library, int command) {
  return ProgramData().libraries[library - 1]->commands[command];
}

}  // namespace toolbox

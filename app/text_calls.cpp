#include "app/text_calls.h"

#include <cstring>

#include "app/constant_area.h"
#include "app/toolbox.h"
#include "app/toolbox_ids.h"
#include "base/program/bridge.h"
#include "libraries/support_libraries.h"

namespace toolbox {
namespace {

// Every property access of the program addresses a plain property, not an array element.
constexpr int32_t kNoIndex = -1;

runtime::ValueRecord CallCore(int command, runtime::ValueRecord argument) {
  return runtime::Bridge().callCoreCommand(LibraryCommand(units::library_number::kCore, command), 1, &argument);
}

}  // namespace

char* ReadText(uint32_t window, uint32_t unit) {
  return runtime::Bridge().getUnitProperty(window, unit, kTextProperty, kNoIndex).text;
}

bool IsEmptyText(const char* text) {
  return std::strcmp(text != nullptr ? text : kConstants.emptyText, kConstants.emptyText) == 0;
}

int32_t TextToInteger(const char* text) {
  runtime::ValueRecord argument = runtime::MakeValue(runtime::type::kText);
  argument.text = text != nullptr ? text : kConstants.emptyText;
  return CallCore(units::core_command::kToInteger, argument).i32;
}

char* NumberToText(double value) {
  runtime::ValueRecord argument = runtime::MakeValue(runtime::type::kDouble);
  argument.f64 = value;
  return static_cast<char*>(CallCore(units::core_command::kToText, argument).ptr);
}

void WriteText(uint32_t window, uint32_t unit, char* text) {
  runtime::DataBytes value{};
  value.text = text;
  runtime::Bridge().setUnitProperty(window, unit, kTextProperty, kNoIndex, value);
}

void FreeText(char* text) { runtime::Bridge().free(text); }

}  // namespace toolbox

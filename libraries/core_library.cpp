// The core support library: the window, edit box, picture box, group box and hyperlink box unit
// types, and the commands that load windows and convert values.
#include <array>

#include "base/program/notify_codes.h"
#include "base/values/conversions.h"
#include "base/values/data_block.h"
#include "contract/library_host.h"
#include "contract/unit_type_records.h"
#include "libraries/support_libraries.h"
#include "units/editbox/editbox_properties.h"
#include "units/groupbox/groupbox_properties.h"
#include "units/hyperlinker/hyperlinker_properties.h"
#include "units/picbox/picbox_properties.h"
#include "units/window/window_properties.h"

namespace units {
namespace {

void LoadWindowCommand(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args) {
  result->type = runtime::type::kBool;
  result->i32 = 0;
  const runtime::HostNotify host = LibraryHostNotify(library_number::kCore);
  if (host == nullptr || count < 1 || args == nullptr) return;
  void* parent = nullptr;
  if (count >= 2 && args[1].type != runtime::type::kNone) {
    parent = reinterpret_cast<void*>(host(runtime::notify::kLiveUnit, args[1].unit.windowId, 0));
    if (parent == nullptr) return;
  }
  runtime::notify::LoadWindowRequest request{args[0].unit.windowId, parent, count >= 3 && args[2].i32 != 0};
  result->i32 = host(runtime::notify::kLoadWindow, reinterpret_cast<intptr_t>(&request), 0) == 0;
}

constexpr auto kUnitTypes = UnitTypeArray<51>({
    {1, kWindowType}, {5, kEditBoxType}, {6, kPicBoxType}, {9, kGroupBoxType}, {29, kHyperLinkerType}});

constexpr runtime::LibraryCommand kCommands[] = {LoadWindowCommand, runtime::ToInteger, runtime::ToText};
static_assert(kCommands[core_command::kLoadWindow] == LoadWindowCommand &&
              kCommands[core_command::kToInteger] == runtime::ToInteger &&
              kCommands[core_command::kToText] == runtime::ToText);

const runtime::LibraryRecord kRecord = {
    runtime::kLibraryFormatMark,
    "5A3C91E07F2B4D68A1C0E9375B8D2F46",
    5, 3, 64, 3, 7, 3, 7,
    "\xcf\xb5\xcd\xb3\xba\xcb\xd0\xc4\xd6\xa7\xb3\xd6\xbf\xe2",  // 系统核心支持库
    1, 0, 0xc0000001, {},
    static_cast<uint32_t>(kUnitTypes.size()), kUnitTypes.data(), 0, 0,
    3, 0, kCommands, 0, 0,
    KeepHostNotify<library_number::kCore>, {},
};

}  // namespace

const runtime::LibraryRecord& CoreLibrary() { return kRecord; }

void TrayIconCommand(runtime::ValueRecord* /*result*/, int32_t count, runtime::ValueRecord* args) {
  const runtime::HostNotify host = LibraryHostNotify(library_number::kCore);
  if (host == nullptr || count < 1 || args == nullptr) return;
  auto* unit = reinterpret_cast<Unit*>(host(runtime::notify::kLiveUnitOrError, args[0].unit.windowId, 0));
  WindowUnit* window = WindowType::Cast(unit);
  if (window == nullptr) return;
  const runtime::BlockElements icon =
      count >= 2 && args[1].type == runtime::type::kByteData ? runtime::ElementsOf(args[1].ptr) : runtime::BlockElements{};
  if (icon.count == 0) {
    window->RemoveTrayIcon();
    return;
  }
  const char* tip = count >= 3 && args[2].type == runtime::type::kText ? args[2].text : nullptr;
  window->SetTrayIcon({icon.first, icon.count}, tip);
}

}  // namespace units

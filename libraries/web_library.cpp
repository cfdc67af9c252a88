// The web page library: the web browser box unit type and its Navigate command.
#include <array>

#include "base/program/notify_codes.h"
#include "contract/library_host.h"
#include "contract/unit_type_records.h"
#include "libraries/support_libraries.h"
#include "units/webbrowser/engine_module.h"
#include "units/webbrowser/webbrowser_properties.h"

namespace units {
namespace {

constexpr auto kUnitTypes = UnitTypeArray<5>({{1, kWebBrowserType}});

// An optional text argument: absent when its type code is 0, and only a text counts.
const char* OptionalText(int32_t count, const runtime::ValueRecord* args, int32_t index) {
  if (index >= count || args[index].type != runtime::type::kText) return nullptr;
  return args[index].text;
}

void NavigateCommand(runtime::ValueRecord* /*result*/, int32_t count, runtime::ValueRecord* args) {
  const runtime::HostNotify host = LibraryHostNotify(library_number::kWeb);
  if (host == nullptr || count < 1 || args == nullptr) return;
  auto* unit = reinterpret_cast<Unit*>(host(runtime::notify::kLiveUnitOrError, args[0].unit.windowId,
                                            args[0].unit.unitId));
  // Another type's unit is not a box to navigate.
  WebBrowserBox* box = WebBrowserType::Cast(unit);
  if (box == nullptr) return;
  const int32_t flags = count >= 3 ? args[2].i32 : 0;
  box->Navigate(OptionalText(count, args, 1), flags, OptionalText(count, args, 3), OptionalText(count, args, 4));
}

constexpr runtime::LibraryCommand kCommands[] = {NavigateCommand};
static_assert(kCommands[web_command::kNavigate] == NavigateCommand);

// At the end the engine's pages go before the engine does.
intptr_t Notify(int32_t code, intptr_t arg1, intptr_t arg2) {
  if (code == runtime::library_notify::kShutdown) webbrowser::ReleaseBrowserModule();
  return KeepHostNotify<library_number::kWeb>(code, arg1, arg2);
}

const runtime::LibraryRecord kRecord = {
    runtime::kLibraryFormatMark,
    "3F8D5A21C6E04B97B2D15E8A90C7F364",
    2, 0, 3, 3, 6, 3, 7,
    "Vorel" "\xcd\xf8\xd2\xb3\xb2\xd9\xd7\xf7\xd6\xa7\xb3\xd6\xbf\xe2",  // Vorel网页操作支持库
    1, 0, 0x80000000, {},
    static_cast<uint32_t>(kUnitTypes.size()), kUnitTypes.data(), 0, 0,
    1, 0, kCommands, 0, 0,
    Notify, {},
};

}  // namespace

const runtime::LibraryRecord& WebLibrary() { return kRecord; }

}  // namespace units

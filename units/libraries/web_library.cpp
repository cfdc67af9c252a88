#include "units/libraries/web_library.h"

#include <array>

#include "units/framework/unit_type_records.h"
#include "units/libraries/host_notify_slot.h"

namespace units {
namespace {

struct Tag;
using Slot = HostNotifySlot<Tag>;

constexpr auto kUnitTypes = UnitTypeArray<5>({{1, kWebBrowserType}});

const runtime::LibraryRecord kRecord = {
    runtime::kLibraryFormatMark,
    "3F8D5A21C6E04B97B2D15E8A90C7F364",
    2, 0, 3, 3, 6, 3, 7,
    "Vorel" "\xcd\xf8\xd2\xb3\xb2\xd9\xd7\xf7\xd6\xa7\xb3\xd6\xbf\xe2",  // Vorel网页操作支持库
    1, 0, 0x80000000, {},
    static_cast<uint32_t>(kUnitTypes.size()), kUnitTypes.data(), 0, 0,
    0, 0, nullptr, 0, 0,
    Slot::Notify, {},
};

}  // namespace

const runtime::LibraryRecord& WebLibrary() { return kRecord; }

runtime::HostNotify WebHostNotify() { return Slot::host; }

}  // namespace units

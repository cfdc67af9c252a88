// The first extended interface library: the transparent label unit type.
#include <array>

#include "contract/library_host.h"
#include "contract/unit_type_records.h"
#include "libraries/support_libraries.h"
#include "units/translabel/translabel_properties.h"

namespace units {
namespace {

constexpr auto kUnitTypes = UnitTypeArray<5>({{5, kTransLabelType}});

const runtime::LibraryRecord kRecord = {
    runtime::kLibraryFormatMark,
    "9B02E6D4F1A8437C85E3D0B6A72C19F5",
    2, 0, 3, 3, 0, 3, 0,
    "\xc0\xa9\xd5\xb9\xbd\xe7\xc3\xe6\xd6\xa7\xb3\xd6\xbf\xe2\xd2\xbb",  // 扩展界面支持库一
    1, 0, 0, {},
    static_cast<uint32_t>(kUnitTypes.size()), kUnitTypes.data(), 0, 0,
    0, 0, nullptr, 0, 0,
    KeepHostNotify<library_number::kUi1>, {},
};

}  // namespace

const runtime::LibraryRecord& Ui1Library() { return kRecord; }

}  // namespace units

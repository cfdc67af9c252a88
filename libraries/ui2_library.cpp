// The second extended interface library: the super button unit type.
#include <array>

#include "contract/library_host.h"
#include "contract/unit_type_records.h"
#include "libraries/support_libraries.h"
#include "units/superbtn/superbtn_properties.h"

namespace units {
namespace {

constexpr auto kUnitTypes = UnitTypeArray<9>({{1, kSuperBtnType}});

const runtime::LibraryRecord kRecord = {
    runtime::kLibraryFormatMark,
    "C1E74B0935D8462FA07B3E9C15F2D864",
    2, 0, 2, 3, 4, 3, 3,
    "\xc0\xa9\xd5\xb9\xbd\xe7\xc3\xe6\xd6\xa7\xb3\xd6\xbf\xe2\xb6\xfe",  // 扩展界面支持库二
    1, 0, 0, {},
    static_cast<uint32_t>(kUnitTypes.size()), kUnitTypes.data(), 0, 0,
    0, 0, nullptr, 0, 0,
    KeepHostNotify<library_number::kUi2>, {},
};

}  // namespace

const runtime::LibraryRecord& Ui2Library() { return kRecord; }

}  // namespace units

#pragma once
// Unit type ids and property type codes: the numbers through which the host and the unit types
// name each other's things.
#include <cstdint>

namespace units {

// A unit type id is the 1-based library number in the high half and the 1-based type number
// within that library in the low half.
constexpr uint32_t MakeUnitTypeId(uint32_t library, uint32_t type) { return library << 16 | type; }
constexpr uint32_t LibraryNumberOf(uint32_t typeId) { return typeId >> 16; }
constexpr uint32_t TypeNumberOf(uint32_t typeId) { return typeId & 0xFFFF; }

namespace type_id {
constexpr uint32_t kWindow = MakeUnitTypeId(1, 1);
constexpr uint32_t kMenuItem = MakeUnitTypeId(1, 3);  // a window's menu item, no unit of its own
constexpr uint32_t kEditBox = MakeUnitTypeId(1, 5);
constexpr uint32_t kPicBox = MakeUnitTypeId(1, 6);
constexpr uint32_t kGroupBox = MakeUnitTypeId(1, 9);
constexpr uint32_t kHyperLinker = MakeUnitTypeId(1, 29);
constexpr uint32_t kSuperBtn = MakeUnitTypeId(2, 1);
constexpr uint32_t kTransLabel = MakeUnitTypeId(3, 5);
constexpr uint32_t kWebBrowser = MakeUnitTypeId(4, 1);
}  // namespace type_id

// Property type codes of the property entries. They decide the shape of a property value: one
// word, an 8-byte number, a text pointer, or a pointer with a byte length.
namespace property_type {
constexpr int16_t kInteger = 1001;
constexpr int16_t kNumber = 1002;  // 8-byte number
constexpr int16_t kLogical = 1003;
constexpr int16_t kDateTime = 1004;  // 8-byte number
constexpr int16_t kText = 1005;
constexpr int16_t kChoice = 1006;
constexpr int16_t kPicture = 1009;
constexpr int16_t kIcon = 1010;
constexpr int16_t kMousePointer = 1011;
constexpr int16_t kSound = 1012;
constexpr int16_t kFont = 1013;  // a 60-byte font record
constexpr int16_t kColor = 1014;
constexpr int16_t kBackColor = 1017;   // also takes 0xFF000000: the system button face
constexpr int16_t kFileName = 1016;    // text
constexpr int16_t kDataSource = 1018;  // text: name of a data-source unit
constexpr int16_t kDataColumn = 1020;  // text: column of that data source
}  // namespace property_type

// Properties 0-7 (left, top, width, height, tag, visible, disabled, mouse pointer) are served by
// the host from the unit record; a unit type numbers its own properties from 0 after them.
constexpr uint32_t kCommonPropertyCount = 8;
constexpr uint16_t kCommonPropertyState = 0xE000;

// The colour word that a background colour property uses for "the system button face".
constexpr uint32_t kDefaultColor = 0xFF000000;

}  // namespace units

#include "units/framework/property_tables.h"

#include <cstddef>

#include "units/framework/unit_type_ids.h"

namespace units {
namespace {

using namespace property_type;

struct Own {
  int16_t type;
  uint16_t state;
};

// The common entries followed by the type's own; the array size is the type's property count, so
// an own list of the wrong length does not compile.
template <size_t N>
constexpr std::array<runtime::PropertyEntry, kCommonPropertyCount + N> Table(const Own (&own)[N]) {
  constexpr int16_t kCommon[kCommonPropertyCount] = {kInteger, kInteger, kInteger, kInteger,
                                                     kText,    kLogical, kLogical, kMousePointer};
  std::array<runtime::PropertyEntry, kCommonPropertyCount + N> table{};
  for (size_t i = 0; i < kCommonPropertyCount; ++i)
    table[i] = {nullptr, nullptr, nullptr, kCommon[i], kCommonPropertyState, nullptr};
  for (size_t i = 0; i < N; ++i)
    table[kCommonPropertyCount + i] = {nullptr, nullptr, nullptr, own[i].type, own[i].state, nullptr};
  return table;
}

constexpr uint16_t kCore = 0x8000;
constexpr uint16_t kCoreLink = 0x8001;

}  // namespace

constexpr std::array<runtime::PropertyEntry, 29> kEditBoxProperties = Table({
    {kText, kCore},        // content
    {kChoice, kCore},      // border style
    {kColor, kCore},       // text colour
    {kBackColor, kCore},   // background colour
    {kFont, kCore},        // font
    {kLogical, kCore},     // hide selection
    {kInteger, kCore},     // maximum length
    {kLogical, kCore},     // multi-line
    {kChoice, kCore},      // scroll bars
    {kChoice, kCore},      // alignment
    {kChoice, kCore},      // input mode
    {kText, kCore},        // password character
    {kChoice, kCore},      // case conversion
    {kChoice, kCore},      // up-down mode
    {kInteger, kCore},     // up-down minimum
    {kInteger, kCore},     // up-down maximum
    {kInteger, kCore},     // selection start
    {kInteger, kCore},     // selection length
    {kText, kCore},        // selected text
    {kDataSource, kCore},  // data source
    {kDataColumn, kCore},  // data column
});

constexpr std::array<runtime::PropertyEntry, 15> kPicBoxProperties = Table({
    {kChoice, kCore},      // border style
    {kBackColor, kCore},   // background colour
    {kPicture, kCore},     // picture
    {kChoice, kCore},      // display mode
    {kLogical, kCore},     // play animation
    {kDataSource, kCore},  // data source
    {kDataColumn, kCore},  // data column
});

constexpr std::array<runtime::PropertyEntry, 18> kHyperLinkerProperties = Table({
    {kText, kCore},       // text
    {kChoice, kCore},     // link kind
    {kText, kCoreLink},   // mail address
    {kText, kCoreLink},   // web address
    {kColor, kCore},      // link colour
    {kColor, kCore},      // visited colour
    {kColor, kCore},      // hover colour
    {kBackColor, kCore},  // background colour
    {kChoice, kCore},     // border
    {kFont, kCore},       // font
});

}  // namespace units

// Tiny property tables, each contradicting itself in one way chosen by CASE; the build must
// refuse every one with its reason, and accept the sound table (CASE_SOUND).
#include "contract/property_table.h"

namespace units {
namespace {

struct State {
  int32_t style;
  uint32_t color;
  std::string title;
  std::vector<uint8_t> picture;
  std::span<const uint8_t> pictureSource;
};
struct Unit {};
using Row = PropertyRow<State, Unit>;
using namespace property_type;

constexpr Row kStyleRow{.name = "Style", .type = kChoice, .word = &State::style, .stored = 0, .low = 0, .high = 2};
constexpr Row kColorRow{.name = "Color", .type = kColor, .color = &State::color, .stored = 1};
constexpr Row kTitleRow{.name = "Title", .type = kText, .text = &State::title, .stored = 2, .since = 2};

constexpr const char* kStyleNames[] = {"Plain", "Raised", "Sunken"};
constexpr const char* kFourNames[] = {"Plain", "Raised", "Sunken", "Shadow"};
constexpr const char* kNamesTwice[] = {"Plain", "Raised", "Plain"};
constexpr const char* kNotAWord[] = {"Plain", "Rai sed"};

constexpr Row With(Row row, void (*change)(Row&)) {
  change(row);
  return row;
}

#if defined(CASE_SOUND)
constexpr Row kRows[] = {With(kStyleRow, [](Row& r) { r.choices = kStyleNames; }), kColorRow, kTitleRow,
                         {.name = "Picture", .type = kPicture, .bytes = &State::picture,
                          .source = &State::pictureSource, .stored = 3},
                         {.name = "Busy", .type = kLogical}};
#elif defined(CASE_NAMELESS)
constexpr Row kRows[] = {kStyleRow, {.type = kLogical}};
#elif defined(CASE_TWO_FIELDS)
constexpr Row kRows[] = {With(kStyleRow, [](Row& r) { r.color = &State::color; })};
#elif defined(CASE_STORED_WITHOUT_FIELD)
constexpr Row kRows[] = {kStyleRow, {.name = "Busy", .type = kLogical, .stored = 1}};
#elif defined(CASE_LATER_VERSION)
constexpr Row kRows[] = {kStyleRow, kColorRow, With(kTitleRow, [](Row& r) { r.since = 3; })};
#elif defined(CASE_SOURCE_WITHOUT_BYTES)
constexpr Row kRows[] = {kStyleRow, {.name = "Picture", .type = kPicture, .source = &State::pictureSource}};
#elif defined(CASE_EMPTY_RANGE)
constexpr Row kRows[] = {With(kStyleRow, [](Row& r) { r.low = 3; })};
#elif defined(CASE_LOGICAL_COLOR)
constexpr Row kRows[] = {kStyleRow, With(kColorRow, [](Row& r) { r.logical = true; })};
#elif defined(CASE_NAME_TWICE)
constexpr Row kRows[] = {kStyleRow, kColorRow, With(kTitleRow, [](Row& r) { r.name = "Style"; })};
#elif defined(CASE_POSITION_TWICE)
constexpr Row kRows[] = {kStyleRow, kColorRow, With(kTitleRow, [](Row& r) { r.stored = 1; })};
#elif defined(CASE_GAP)
constexpr Row kRows[] = {kStyleRow, kColorRow, With(kTitleRow, [](Row& r) { r.stored = 3; })};
#elif defined(CASE_NAMED_COLOR)
constexpr Row kRows[] = {kStyleRow, With(kColorRow, [](Row& r) { r.choices = kStyleNames; })};
#elif defined(CASE_NAME_OUT_OF_RANGE)
constexpr Row kRows[] = {With(kStyleRow, [](Row& r) { r.choices = kFourNames; })};
#elif defined(CASE_VALUE_NAMED_TWICE)
constexpr Row kRows[] = {With(kStyleRow, [](Row& r) { r.choices = kNamesTwice; })};
#elif defined(CASE_VALUE_NAME_NOT_A_WORD)
constexpr Row kRows[] = {With(kStyleRow, [](Row& r) { r.choices = kNotAWord; })};
#elif defined(CASE_UNKNOWN_NAME)
constexpr Row kRows[] = {kStyleRow, kColorRow, kTitleRow};
[[maybe_unused]] constexpr int32_t kShape = PropertyTable{kRows, 2}.IndexOf("Shape");
#endif

[[maybe_unused]] constexpr PropertyTable kTable{kRows, 2};

}  // namespace
}  // namespace units

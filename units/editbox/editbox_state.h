#pragma once
// The edit box's own properties as its state holds them, their named choices and the events the
// box raises. The rows that read, write and check them are in editbox_properties.h.
#include <cstdint>
#include <string>
#include <vector>

namespace units::editbox {

enum InputMode : int32_t {
  kNormal, kReadOnly, kPassword, kIntegerText, kDecimalText, kByte, kShort, kInteger, kLong, kFloat, kDouble,
  kDateTime, kLastInputMode = kDateTime
};

enum UpDownMode : int32_t { kNoUpDown, kAutomaticUpDown, kManualUpDown };

namespace edit_border {
constexpr int32_t kNone = 0;
constexpr int32_t kSunken = 1;
constexpr int32_t kRaised = 2;
constexpr int32_t kShallow = 3;
constexpr int32_t kSunkenInRaised = 4;
constexpr int32_t kSingleLine = 5;
}  // namespace edit_border

namespace text_alignment {
constexpr int32_t kLeft = 0;
constexpr int32_t kCentred = 1;
constexpr int32_t kRight = 2;
}  // namespace text_alignment

// Bit 0: a horizontal bar, bit 1: a vertical one.
namespace scroll_bars {
constexpr int32_t kNone = 0;
constexpr int32_t kHorizontal = 1;
constexpr int32_t kVertical = 2;
constexpr int32_t kBoth = 3;
}  // namespace scroll_bars

namespace case_conversion {
constexpr int32_t kNone = 0;
constexpr int32_t kLower = 1;
constexpr int32_t kUpper = 2;
}  // namespace case_conversion

namespace editbox_event {
constexpr int32_t kTextChanged = 0;
constexpr int32_t kUpDownPressed = 1;  // manual up-down mode; argument -1 or 1
// The common focus events, raised by the box itself because the editor owns its focus.
constexpr int32_t kGotFocus = -7;
constexpr int32_t kLostFocus = -8;
}  // namespace editbox_event

struct EditBoxState {
  std::string content;  // GBK
  int32_t borderStyle;
  uint32_t textColor;
  uint32_t backColor;
  std::vector<uint8_t> font;
  int32_t hideSelection;
  int32_t maxLength;
  int32_t multiline;
  int32_t scrollBars;
  int32_t alignment;
  int32_t inputMode;
  uint16_t passwordChar;  // a single byte, or a GBK double-byte character with its lead byte high
  int32_t caseConversion;
  int32_t upDownMode;
  int32_t upDownMin;
  int32_t upDownMax;
  int32_t selStart;
  int32_t selLength;
  std::string dataSource;
  std::string dataColumn;

  // A password box shows a single line even when it asks for several: the masking belongs to the
  // single-line editor, and a password must never be shown in plain text.
  bool SingleLine() const { return multiline == 0 || inputMode == kPassword; }
};

}  // namespace units::editbox

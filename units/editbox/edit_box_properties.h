#pragma once
// The edit box's own properties and their stored form.
#include <cstdint>
#include <string>
#include <vector>

#include "units/framework/property_data.h"

namespace units::editbox {

// Own property indexes (property number minus 8).
enum Property : int32_t {
  kContent, kBorderStyle, kTextColor, kBackColor, kFont, kHideSelection, kMaxLength, kMultiline, kScrollBars,
  kAlignment, kInputMode, kPasswordChar, kCaseConversion, kUpDownMode, kUpDownMin, kUpDownMax, kSelStart,
  kSelLength, kSelText, kDataSource, kDataColumn, kPropertyCount
};

enum InputMode : int32_t {
  kNormal, kReadOnly, kPassword, kIntegerText, kDecimalText, kByte, kShort, kInteger, kLong, kFloat, kDouble,
  kDateTime, kLastInputMode = kDateTime
};

enum UpDownMode : int32_t { kNoUpDown, kAutomaticUpDown, kManualUpDown };

struct EditBoxProperties final : PropertyObject {
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

  EditBoxProperties() { Reset(); }
  void Reset() override;
  void Serialise(PropertyArchive& archive) override;
  // Brings choices and numbers read from data into their ranges, so that nothing downstream
  // meets a border style of 9 or a negative text limit.
  void Sanitise();

  // A password box shows a single line even when it asks for several: the masking belongs to the
  // single-line editor, and a password must never be shown in plain text.
  bool SingleLine() const { return multiline == 0 || inputMode == kPassword; }
};

}  // namespace units::editbox

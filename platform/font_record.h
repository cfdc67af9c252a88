#pragma once
// The 60-byte font record that font properties carry: height, width, escapement, orientation,
// weight (32-bit each), then italic, underline, strike-out, character set, output precision,
// clip precision, quality, pitch and family (a byte each) and a 32-byte GBK face name.
#include <array>
#include <cstdint>
#include <span>
#include <string>

class QFont;

namespace platform {

constexpr size_t kFontRecordSize = 60;

struct FontRecord {
  int32_t height = 0;  // negative: character height in pixels
  int32_t width = 0;
  int32_t escapement = 0;  // tenths of a degree
  int32_t orientation = 0;
  int32_t weight = 0;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strikeOut = 0;
  uint8_t charSet = 0;
  uint8_t outPrecision = 0;
  uint8_t clipPrecision = 0;
  uint8_t quality = 0;
  uint8_t pitchAndFamily = 0;
  std::string faceName;  // GBK, at most 31 bytes when written

  // A record of any length other than 60 is no font: the caller uses the default GUI font.
  static bool Parse(std::span<const uint8_t> bytes, FontRecord* out);
  std::array<uint8_t, kFontRecordSize> Bytes() const;

  // Size in points at the record's 96 pixels per inch, and back.
  int32_t PointSize() const;
  void SetPointSize(int32_t points);
};

// The default GUI font: the installed Chinese user-interface font at 9 points.
FontRecord DefaultGuiFontRecord();
QFont DefaultGuiFont();

// The font a record describes (negative height = character height in pixels).
QFont ToQFont(const FontRecord& record);

}  // namespace platform

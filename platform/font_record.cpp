#include "platform/font_record.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gbk.h"
#include "platform/little_endian.h"
#include "platform/text.h"

namespace platform {
namespace {

constexpr int kPixelsPerInch = 96;

// Rounds a * b / c to the nearest integer, halves away from zero.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  return static_cast<int32_t>(std::lround(static_cast<double>(a) * b / c));
}

}  // namespace

bool FontRecord::Parse(std::span<const uint8_t> b, FontRecord* out) {
  if (b.size() != kFontRecordSize) return false;
  FontRecord r;
  r.height = LoadI32(b.data());
  r.width = LoadI32(b.data() + 4);
  r.escapement = LoadI32(b.data() + 8);
  r.orientation = LoadI32(b.data() + 12);
  r.weight = LoadI32(b.data() + 16);
  r.italic = b[20];
  r.underline = b[21];
  r.strikeOut = b[22];
  r.charSet = b[23];
  r.outPrecision = b[24];
  r.clipPrecision = b[25];
  r.quality = b[26];
  r.pitchAndFamily = b[27];
  const auto* face = reinterpret_cast<const char*>(b.data() + 28);
  r.faceName.assign(face, strnlen(face, 32));
  *out = std::move(r);
  return true;
}

std::array<uint8_t, kFontRecordSize> FontRecord::Bytes() const {
  std::array<uint8_t, kFontRecordSize> b{};
  StoreI32(&b[0], height);
  StoreI32(&b[4], width);
  StoreI32(&b[8], escapement);
  StoreI32(&b[12], orientation);
  StoreI32(&b[16], weight);
  b[20] = italic;
  b[21] = underline;
  b[22] = strikeOut;
  b[23] = charSet;
  b[24] = outPrecision;
  b[25] = clipPrecision;
  b[26] = quality;
  b[27] = pitchAndFamily;
  std::memcpy(&b[28], faceName.data(), std::min<size_t>(faceName.size(), 31));
  return b;
}

int32_t FontRecord::PointSize() const { return MulDiv(height < 0 ? -height : height, 72, kPixelsPerInch); }

void FontRecord::SetPointSize(int32_t points) { height = -MulDiv(points, kPixelsPerInch, 72); }

FontRecord DefaultGuiFontRecord() {
  FontRecord r;
  r.SetPointSize(9);
  r.weight = 400;
  r.charSet = 134;  // the GB2312 character set
  r.faceName = ToGbk(DefaultGuiFont().family());
  return r;
}

// The classic Song face the forms were laid out with sets 9-point text on 12-pixel lines. The
// installed Song-style face keeps those lines; the sans faces need up to 17 pixels a line and
// would push wrapped captions out of their boxes, so they come only after it.
const QString& GuiFamily() {
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families();
    QString chosen;
    for (const QString& candidate : {QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei"),
                                     QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC")}) {
      if (installed.contains(candidate)) {
        chosen = candidate;
        break;
      }
    }
    if (chosen.isEmpty()) {
      const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
      chosen = chinese.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : chinese.first();
    }
    // Font records name the classic faces; they resolve to the face chosen here.
    for (const char* classic : {"宋体", "新宋体", "SimSun", "NSimSun"})
      QFont::insertSubstitution(QString::fromUtf8(classic), chosen);
    return chosen;
  }();
  return family;
}

// Small Song-style text is drawn the classic way, its strokes whole pixels, as the face's
// hand-tuned small sizes are meant to be seen; smoothing would only thin them to grey.
void KeepSmallSongCrisp(QFont& font) {
  static const QString song = QStringLiteral("AR PL UMing CN");
  if (font.pixelSize() <= 0 || font.pixelSize() > 16) return;
  const QString family = font.family();
  // The classic face names stand for the chosen face, so they are Song text exactly when it is.
  if (family == song || (GuiFamily() == song && QFont::substitutes(family).contains(song)))
    font.setStyleStrategy(QFont::NoAntialias);
}

QFont DefaultGuiFont() {
  QFont font(GuiFamily());
  font.setPixelSize(12);
  KeepSmallSongCrisp(font);
  return font;
}

QFont ToQFont(const FontRecord& record) {
  GuiFamily();  // the classic face names resolve from here on
  QFont font = record.faceName.empty() ? DefaultGuiFont() : QFont(FromGbk(record.faceName));
  if (record.height != 0) font.setPixelSize(record.height < 0 ? -record.height : record.height);
  else font.setPixelSize(12);
  // Both scales run from 100 (thin) over 400 (normal) and 700 (bold) to 900.
  if (record.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(record.weight, 1, 1000)));
  font.setItalic(record.italic != 0);
  font.setUnderline(record.underline != 0);
  font.setStrikeOut(record.strikeOut != 0);
  KeepSmallSongCrisp(font);
  return font;
}

}  // namespace platform

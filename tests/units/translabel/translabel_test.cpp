#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/font_record.h"
#include "platform/gbk.h"
#include "base/program/memory.h"
#include "tests/support/test_program.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_records.h"
#include "units/translabel/translabel_properties.h"

namespace {

using namespace units;
using test_support::PutBytes;
using test_support::PutText;
using test_support::PutU32;

template <int32_t N>
auto Ask() {
  return AskInterface<N>(kTransLabelType);
}

// A parent that looks like a window's background picture: a diagonal grey gradient.
class Backdrop : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    for (int y = 0; y < height(); ++y)
      for (int x = 0; x < width(); x += 4) p.fillRect(x, y, 4, 1, QColor::fromRgb(96 + (x + y) % 64, 120, 140));
  }
};

constexpr uint32_t kRed = 0x000000FF;

struct Label {
  uint32_t effect = 0, color = kRed, horz = 0, vert = 1, wrap = 0;
  std::vector<uint8_t> font;
  std::string text = "8888";  // UTF-8; stored as GBK
  uint32_t version = 1;

  std::vector<uint8_t> Data() const {
    std::vector<uint8_t> d;
    for (uint32_t v : {version, effect, color, horz, vert, wrap}) PutU32(d, v);
    PutBytes(d, font);
    PutText(d, text.c_str());
    return d;
  }
};

std::vector<uint8_t> BigFont() {
  platform::FontRecord r;
  r.height = -24;
  r.weight = 700;
  auto bytes = r.Bytes();
  return {bytes.begin(), bytes.end()};
}

class TransLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backdrop_.resize(240, 80);
    backdrop_.show();
  }

  Unit* Create(const std::vector<uint8_t>& data, QRect where = {20, 20, 100, 40}) {
    Unit* unit = Ask<interface_number::kCreateUnit>()(data.empty() ? nullptr : data.data(),
                                                      static_cast<int32_t>(data.size()), 0, &backdrop_, 1, nullptr,
                                                      where.x(), where.y(), where.width(), where.height(),
                                                      0x52000001, 0x16000001, 0, 0);
    if (unit != nullptr) unit->widget()->show();
    return unit;
  }
  Unit* Create(const Label& label, QRect where = {20, 20, 100, 40}) { return Create(label.Data(), where); }

  static void SetText(Unit* unit, const char* utf8) {
    std::string gbk = platform::Utf8ToGbk(utf8);
    PropertyValue v = PropertyValue::Text(gbk.c_str());
    EXPECT_EQ(Ask<interface_number::kPropertyChanged>()(unit, 0, &v, 0), 0);
  }
  static int32_t Set(Unit* unit, int32_t index, int32_t value) {
    PropertyValue v = PropertyValue::Integer(value);
    Ask<interface_number::kPropertyChanged>()(unit, index, &v, 0);
    PropertyValue back;
    EXPECT_EQ(Ask<interface_number::kGetProperty>()(unit, index, &back), 1);
    return back.AsInteger();
  }

  QImage Shot() {
    QApplication::processEvents();
    return backdrop_.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  Backdrop backdrop_;
};

// Where pixels of exactly `color` lie: fully covered glyph pixels do not depend on what is
// beneath them, so the box moves exactly with the text.
QRect Ink(const QImage& image, QRgb color) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) box |= QRect(x, y, 1, 1);
  return box;
}

const QRgb kRedRgb = qRgb(255, 0, 0);

// Where `shot` differs from `bare`.
QRect Changed(const QImage& shot, const QImage& bare) {
  QRect box;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (shot.pixel(x, y) != bare.pixel(x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(TransLabelTest, PropertyDataVersionsAndDefaults) {
  // A calculator's result label: exactly 32 bytes, empty text.
  Label result;
  result.color = 0;
  result.horz = 1;
  result.text.clear();
  std::vector<uint8_t> data = result.Data();
  ASSERT_EQ(data.size(), 32u);
  Unit* unit = Create(data);
  ASSERT_NE(unit, nullptr);
  PropertyValue text;
  Ask<interface_number::kGetProperty>()(unit, 0, &text);
  EXPECT_STREQ(text.AsText(), "");
  int32_t length = 0;
  void* block = Ask<interface_number::kGetAllPropertyData>()(unit, &length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + length), data);
  runtime::Free(block);

  // No data: the defaults.
  Unit* plain = Create(std::vector<uint8_t>{});
  ASSERT_NE(plain, nullptr);
  Ask<interface_number::kGetProperty>()(plain, 0, &text);
  EXPECT_EQ(platform::GbkToUtf8(text.AsText()), "透明标签");
  PropertyValue vert, font;
  Ask<interface_number::kGetProperty>()(plain, 6, &vert);
  Ask<interface_number::kGetProperty>()(plain, 2, &font);
  EXPECT_EQ(vert.AsInteger(), 1);
  EXPECT_EQ(font.first, 0);

  // Version 0 reads the same fields; version 2 is refused.
  Label old;
  old.version = 0;
  EXPECT_NE(Create(old), nullptr);
  Label future;
  future.version = 2;
  EXPECT_EQ(Create(future), nullptr);
}

TEST_F(TransLabelTest, StoredChoicesAreUsedAsRead) {
  // A stored effect out of range draws the plain text only.
  Label odd;
  odd.font = BigFont();
  odd.effect = 9;
  Unit* stored = Create(odd);
  PropertyValue effect;
  Ask<interface_number::kGetProperty>()(stored, 1, &effect);
  EXPECT_EQ(effect.AsInteger(), 9);
  QImage shot = Shot();
  EXPECT_FALSE(Ink(shot, kRedRgb).isEmpty());
  EXPECT_TRUE(Ink(shot, qRgb(255, 255, 255)).isEmpty());
}

TEST_F(TransLabelTest, EmptyTextShowsWhatLiesBeneath) {
  const QImage bare = Shot();
  Label empty;
  empty.text.clear();
  ASSERT_NE(Create(empty), nullptr);
  EXPECT_EQ(Shot(), bare);
}

TEST_F(TransLabelTest, ShorterTextLeavesNoTraceOfTheLonger) {
  Label label;
  label.font = BigFont();
  label.text = "每点价值银两";
  Unit* unit = Create(label);
  const QImage longShot = Shot();
  SetText(unit, "12");
  const QImage after = Shot();
  EXPECT_NE(after, longShot);
  delete unit;

  label.text = "12";
  ASSERT_NE(Create(label), nullptr);
  EXPECT_EQ(after, Shot());
}

TEST_F(TransLabelTest, EffectsDrawTheirCopiesAtTheirOffsets) {
  const QImage bare = Shot();
  Label label;
  label.font = BigFont();
  Unit* unit = Create(label);
  QImage shot = Shot();
  const QRect plain = Ink(shot, kRedRgb);
  const QRect drawn = Changed(shot, bare);
  ASSERT_FALSE(plain.isEmpty());

  // Sunken: the text moves one pixel right and down, a white copy stays at its place.
  Set(unit, 1, 2);
  shot = Shot();
  EXPECT_EQ(Ink(shot, kRedRgb), plain.translated(1, 1));
  EXPECT_EQ(Changed(shot, bare), drawn | drawn.translated(1, 1));
  EXPECT_FALSE(Ink(shot, qRgb(255, 255, 255)).isEmpty());

  // Raised: the text stays, a white copy one pixel right and down behind it.
  Set(unit, 1, 1);
  shot = Shot();
  EXPECT_EQ(Ink(shot, kRedRgb), plain);
  EXPECT_EQ(Changed(shot, bare), drawn | drawn.translated(1, 1));
  EXPECT_FALSE(Ink(shot, qRgb(255, 255, 255)).isEmpty());

  // Shadow: a black copy two pixels right and down.
  Set(unit, 1, 3);
  shot = Shot();
  EXPECT_EQ(Ink(shot, kRedRgb), plain);
  EXPECT_EQ(Changed(shot, bare), drawn | drawn.translated(2, 2));
  EXPECT_EQ(Ink(shot, qRgb(0, 0, 0)).bottomRight(), plain.bottomRight() + QPoint(2, 2));
}

TEST_F(TransLabelTest, AlignmentAndWrapPlaceTheText) {
  Label label;
  label.font = BigFont();
  label.vert = 2;
  Unit* unit = Create(label, {20, 10, 160, 60});
  const QRect bottom = Ink(Shot(), kRedRgb);
  EXPECT_GT(bottom.top(), 10 + 30);

  Set(unit, 5, 1);  // wrapping starts at the top whatever the vertical alignment, and breaks at CR LF
  EXPECT_LT(Ink(Shot(), kRedRgb).top(), 10 + 12);
  SetText(unit, "88\r\n88");
  const QRect twoLines = Ink(Shot(), kRedRgb);
  EXPECT_GT(twoLines.height(), 30);
  EXPECT_LT(twoLines.width(), 40);

  Set(unit, 5, 0);
  Set(unit, 4, 2);
  const QRect right = Ink(Shot(), kRedRgb);
  EXPECT_LE(right.right(), 20 + 160);
  EXPECT_GT(right.left(), 20 + 60);
}

TEST_F(TransLabelTest, AnAmpersandMarksTheMnemonicAndTwoDrawOne) {
  Label label;
  label.font = BigFont();
  label.text = "8&&8";
  Unit* unit = Create(label, {10, 10, 200, 60});
  platform::FontRecord record;
  ASSERT_TRUE(platform::FontRecord::Parse(label.font, &record));
  const QFontMetrics metrics(platform::ToQFont(record));
  const int one = metrics.horizontalAdvance(QStringLiteral("8&8"));
  const int two = metrics.horizontalAdvance(QStringLiteral("8&&8"));
  const int width = Ink(Shot(), kRedRgb).width();
  EXPECT_LT(std::abs(width - one), std::abs(width - two)) << width << " " << one << " " << two;

  // "&8" shows the 8 underlined: ink below where a plain 8 ends, and no "&".
  SetText(unit, "8");
  const QRect plain = Ink(Shot(), kRedRgb);
  SetText(unit, "&8");
  const QRect marked = Ink(Shot(), kRedRgb);
  EXPECT_GT(marked.bottom(), plain.bottom());
  EXPECT_LE(std::abs(marked.left() - plain.left()), 1);
  EXPECT_LT(marked.width(), metrics.horizontalAdvance(QStringLiteral("&8")));
}

// Every calculator result is centred in its cell: the ink's centre falls on the label's centre
// along each axis that is centred, and stays at the start along the other.
TEST_F(TransLabelTest, CentredTextSitsOnTheCentreOfTheLabel) {
  const QRect cell(20, 10, 180, 60);
  const QPointF centre(cell.x() + cell.width() / 2.0, cell.y() + cell.height() / 2.0);
  Label label;
  label.font = BigFont();
  label.text = "12.5";
  label.horz = 1;
  label.vert = 1;
  Unit* unit = Create(label, cell);
  QRectF ink = Ink(Shot(), kRedRgb);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_NEAR(ink.center().x(), centre.x(), 2.0);
  EXPECT_NEAR(ink.center().y(), centre.y(), 4.0);

  Set(unit, 6, 0);  // horizontally centred, at the top
  ink = Ink(Shot(), kRedRgb);
  EXPECT_NEAR(ink.center().x(), centre.x(), 2.0);
  EXPECT_LT(ink.top(), cell.y() + 10);

  Set(unit, 4, 0);  // at the left, vertically centred
  Set(unit, 6, 1);
  ink = Ink(Shot(), kRedRgb);
  EXPECT_LT(ink.left(), cell.x() + 6);
  EXPECT_NEAR(ink.center().y(), centre.y(), 4.0);
}

TEST_F(TransLabelTest, LongSingleLineRunsPastTheRightEdgeOverTheParent) {
  Label label;
  label.font = BigFont();
  label.text = "88888888888888";
  Unit* unit = Create(label, {10, 20, 60, 40});
  const QRect ink = Ink(Shot(), kRedRgb);
  EXPECT_GT(ink.right(), 10 + 60 + 40);
  EXPECT_EQ(unit->widget()->geometry(), QRect(10, 20, 60, 40));

  // Shortened again, nothing is left out there; moved, the overhang follows.
  SetText(unit, "8");
  EXPECT_LT(Ink(Shot(), kRedRgb).right(), 10 + 60);
  SetText(unit, "88888888888888");
  unit->widget()->move(30, 20);
  EXPECT_EQ(Ink(Shot(), kRedRgb), ink.translated(20, 0));
  unit->widget()->hide();
  EXPECT_TRUE(Ink(Shot(), kRedRgb).isEmpty());
}

TEST_F(TransLabelTest, EnumTextsReplacesTextAndFaceName) {
  Label label;
  label.font = BigFont();
  label.text = "old";
  std::vector<uint8_t> data = label.Data();
  int32_t length = static_cast<int32_t>(data.size());
  static std::vector<std::string> seen;
  seen.clear();
  auto callback = +[](const char* text, intptr_t) -> const char* {
    seen.emplace_back(text);
    return seen.size() == 1 ? "new text" : "Face";
  };
  void* block = Ask<interface_number::kEnumTexts>()(data.data(), &length, callback, 0);
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "old");

  Unit* unit = Create(std::vector<uint8_t>(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + length));
  runtime::Free(block);
  PropertyValue text, font;
  Ask<interface_number::kGetProperty>()(unit, 0, &text);
  Ask<interface_number::kGetProperty>()(unit, 2, &font);
  EXPECT_STREQ(text.AsText(), "new text");
  platform::FontRecord record;
  ASSERT_TRUE(platform::FontRecord::Parse(font.AsData(), &record));
  EXPECT_EQ(record.faceName, "Face");
  EXPECT_EQ(record.height, -24);
}

TEST_F(TransLabelTest, AssistiveTechnologyReadsTheTextAsStaticText) {
  Label label;
  label.text = "银两";
  Unit* unit = Create(label);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(unit->widget());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::StaticText);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("银两"));
  SetText(unit, "12.5");
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("12.5"));
}

}  // namespace

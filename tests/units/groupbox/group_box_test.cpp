// The group box: its property data, clamping, the frame and title it draws in its own colours
// and font over its background, the units inside it, and what it tells assistive technology.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QWidget>

#include <memory>

#include "platform/colors.h"
#include "platform/font_record.h"
#include "platform/text.h"
#include "base/program/memory.h"
#include "tests/support/test_program.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"
#include "units/groupbox/groupbox_properties.h"

namespace {

using units::PropertyValue;
namespace interface_number = units::interface_number;

template <int32_t N>
typename units::InterfaceOf<N>::Fn Interface() {
  return reinterpret_cast<typename units::InterfaceOf<N>::Fn>(
      units::RegisteredGetInterface(units::type_id::kGroupBox)(N));
}

const std::string kTitle = platform::ToGbk(QString::fromUtf8("说明信息"));

std::vector<uint8_t> BoxData(uint32_t back, int32_t alignment = 0, uint32_t text = 0,
                             const std::vector<uint8_t>& font = {}, const std::string& title = kTitle) {
  std::vector<uint8_t> data;
  test_support::PutU32(data, 1);
  test_support::PutU32(data, static_cast<uint32_t>(alignment));
  test_support::PutU32(data, text);
  test_support::PutU32(data, back);
  test_support::PutBytes(data, font);
  test_support::PutU32(data, static_cast<uint32_t>(title.size()));
  data.insert(data.end(), title.begin(), title.end());
  return data;
}

units::GroupBox* MakeBox(QWidget* parent, const std::vector<uint8_t>& data, QRect place = {0, 0, 200, 80}) {
  units::Unit* unit = Interface<interface_number::kCreateUnit>()(
      data.empty() ? nullptr : data.data(), static_cast<int32_t>(data.size()), 0, parent, 0, nullptr, place.x(),
      place.y(), place.width(), place.height(), 0x52000001, 0x16000002, 0, 0);
  return dynamic_cast<units::GroupBox*>(unit);
}

void Set(units::Unit* unit, int32_t index, PropertyValue value) {
  Interface<interface_number::kPropertyChanged>()(unit, index, &value, 0);
}

QImage Shot(QWidget* widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The columns (first, last) of the title's pixels in `colour`-dominated hue: red here.
std::pair<int, int> RedColumns(const QImage& shot) {
  int first = -1, last = -1;
  for (int y = 0; y < 30 && y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 120 && c.blue() < 120) {
        if (first < 0 || x < first) first = x;
        last = std::max(last, x);
      }
    }
  return {first, last};
}

TEST(GroupBoxData, TheToolboxBoxReadsAndWritesItsThirtyTwoBytes) {
  QWidget parent;
  const std::vector<uint8_t> data = BoxData(0x00FCF6F1);
  ASSERT_EQ(data.size(), 32u);
  std::unique_ptr<units::GroupBox> box(MakeBox(&parent, data));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Title(), QString::fromUtf8("说明信息"));
  int32_t length = 0;
  void* block = Interface<interface_number::kGetAllPropertyData>()(box.get(), &length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + length), data);
  runtime::Free(block);

  PropertyValue value;
  ASSERT_EQ(Interface<interface_number::kGetProperty>()(box.get(), 4, &value), 1);
  EXPECT_EQ(value.first, 0);  // no font: a null pointer
  ASSERT_EQ(Interface<interface_number::kGetProperty>()(box.get(), 0, &value), 1);
  EXPECT_EQ(std::string(value.AsText()), kTitle);
  EXPECT_EQ(Interface<interface_number::kGetProperty>()(box.get(), 5, &value), 0);
}

TEST(GroupBoxData, RefusesANewerVersionAndDataThatEndsEarly) {
  QWidget parent;
  std::vector<uint8_t> data = BoxData(0x00FCF6F1);
  data[0] = 2;
  EXPECT_EQ(MakeBox(&parent, data), nullptr);
  data = BoxData(0x00FCF6F1);
  data.pop_back();
  EXPECT_EQ(MakeBox(&parent, data), nullptr);
  EXPECT_TRUE(parent.children().isEmpty());
}

TEST(GroupBoxProperties, AlignmentIsClampedAndMovesTheTitle) {
  QWidget parent;
  std::unique_ptr<units::GroupBox> box(MakeBox(&parent, BoxData(0x00FFFFFF, 0, 0x000000FF)));
  ASSERT_NE(box, nullptr);
  const auto [leftFirst, leftLast] = RedColumns(Shot(box.get()));
  ASSERT_GE(leftFirst, 0);
  EXPECT_LT(leftFirst, 20);

  Set(box.get(), 1, PropertyValue::Integer(5));
  EXPECT_EQ(box->Props().alignment, 2);
  const auto [rightFirst, rightLast] = RedColumns(Shot(box.get()));
  EXPECT_GT(rightLast, 180);
  EXPECT_EQ(rightLast - rightFirst, leftLast - leftFirst);

  Set(box.get(), 1, PropertyValue::Integer(-1));
  EXPECT_EQ(box->Props().alignment, 0);
  Set(box.get(), 1, PropertyValue::Integer(1));
  const auto [centreFirst, centreLast] = RedColumns(Shot(box.get()));
  EXPECT_NEAR(centreFirst + centreLast, 200, 4);
}

TEST(GroupBoxDrawing, BackgroundFrameAndTitleInItsOwnColours) {
  QWidget parent;
  std::unique_ptr<units::GroupBox> box(MakeBox(&parent, BoxData(0xFF000000, 0, 0x000000FF)));
  ASSERT_NE(box, nullptr);
  QImage shot = Shot(box.get());
  const QRgb face = platform::SystemColorOf(platform::SystemColor::kButtonFace).rgb();
  EXPECT_EQ(shot.pixel(100, 50), face);
  EXPECT_EQ(shot.pixel(0, 79), platform::SystemColorOf(platform::SystemColor::kButtonHighlight).rgb());
  EXPECT_EQ(shot.pixel(0, 50), platform::SystemColorOf(platform::SystemColor::kButtonShadow).rgb());
  EXPECT_GE(RedColumns(shot).first, 0);

  Set(box.get(), 3, PropertyValue::Integer(0x00FCF6F1));
  Set(box.get(), 2, PropertyValue::Integer(0x00FF0000));  // blue: no red title any more
  shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(100, 50), qRgb(0xF1, 0xF6, 0xFC));
  EXPECT_EQ(RedColumns(shot).first, -1);
}

TEST(GroupBoxDrawing, AFontRecordOfSixtyBytesSizesTheTitleAnyOtherLengthIsTheDefault) {
  QWidget parent;
  std::unique_ptr<units::GroupBox> box(MakeBox(&parent, BoxData(0x00FFFFFF, 0, 0x000000FF)));
  ASSERT_NE(box, nullptr);
  const auto [defaultFirst, defaultLast] = RedColumns(Shot(box.get()));

  platform::FontRecord record = platform::DefaultGuiFontRecord();
  record.height = -24;
  const auto bytes = record.Bytes();
  Set(box.get(), 4, PropertyValue::Data(bytes.data(), bytes.size()));
  const auto [bigFirst, bigLast] = RedColumns(Shot(box.get()));
  EXPECT_GT(bigLast - bigFirst, (defaultLast - defaultFirst) * 3 / 2);

  Set(box.get(), 4, PropertyValue::Data(bytes.data(), 59));
  const auto [backFirst, backLast] = RedColumns(Shot(box.get()));
  EXPECT_EQ(backLast - backFirst, defaultLast - defaultFirst);
  // Units inside keep their own font.
  QLabel* label = new QLabel(QStringLiteral("x"), box.get());
  EXPECT_EQ(label->font(), QLabel().font());
}

TEST(GroupBoxContainer, ALabelInsideDrawsOverItsBackground) {
  QWidget window;
  std::unique_ptr<units::GroupBox> box(MakeBox(&window, BoxData(0x00FCF6F1), {10, 10, 200, 80}));
  ASSERT_NE(box, nullptr);
  QLabel* label = new QLabel(QString::fromUtf8("信息"), box.get());
  label->setGeometry(20, 30, 100, 30);
  label->setStyleSheet(QStringLiteral("color: black"));
  const QImage shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(118, 32), qRgb(0xF1, 0xF6, 0xFC));  // the label's empty part shows the box
  bool ink = false;
  for (int x = 20; x < 60; ++x) ink = ink || qGray(shot.pixel(x, 45)) < 100;
  EXPECT_TRUE(ink);
}

TEST(GroupBoxAccessibility, AnswersWithItsTitle) {
  QWidget parent;
  std::unique_ptr<units::GroupBox> box(MakeBox(&parent, BoxData(0x00FCF6F1, 0, 0, {}, "&Ab")));
  ASSERT_NE(box, nullptr);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box.get());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Grouping);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Ab"));
}

}  // namespace

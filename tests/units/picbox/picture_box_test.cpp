// The picture box: its property data, where each display mode puts a picture, the background
// and the blending of transparent pixels, edges, and property changes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include <memory>

#include "platform/colors.h"
#include "base/program/memory.h"
#include "tests/units/picbox/picbox_test_support.h"
#include "units/picbox/picbox_properties.h"
#include "contract/unit.h"

namespace picbox_test {
namespace {

using units::PropertyValue;

const QRgb kButtonFace = platform::SystemColorOf(platform::SystemColor::kButtonFace).rgb();
constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF;

QImage Solid(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// PlayAnimation is a logical: any stored non-zero word is answered as 1.
TEST(PictureBoxData, PlayAnimationIsAnsweredAsALogicalAndChoicesAreClampedWhenWritten) {
  QWidget parent;
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData({}, 0xFF000000, 0, 0, 5)));
  ASSERT_NE(box, nullptr);
  PropertyValue play;
  ASSERT_EQ(PicBoxInterface<units::interface_number::kGetProperty>()(box.get(), 4, &play), 1);
  EXPECT_EQ(play.AsInteger(), 1);
  SetProperty(box.get(), 3, PropertyValue::Integer(9));
  SetProperty(box.get(), 0, PropertyValue::Integer(-4));
  EXPECT_EQ(box->Props().displayMode, 2);
  EXPECT_EQ(box->Props().borderStyle, 0);
}

TEST(PictureBoxData, OlderVersionKeepsDefaultsAndIsWrittenBackInTheCurrentOne) {
  QWidget parent;
  std::vector<uint8_t> v1;
  test_support::PutU32(v1, 1);
  test_support::PutU32(v1, 5);           // border
  test_support::PutU32(v1, 0x00FCF6F1);  // background
  test_support::PutU32(v1, 2);           // mode
  test_support::PutU32(v1, 0);           // no animation
  test_support::PutBytes(v1, {});
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, v1));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Props().displayMode, 2);
  EXPECT_EQ(box->Props().playAnimation, 0);

  int32_t length = 0;
  void* block = PicBoxInterface<units::interface_number::kGetAllPropertyData>()(box.get(), &length);
  ASSERT_NE(block, nullptr);
  std::vector<uint8_t> expected = BoxData({}, 0x00FCF6F1, 2, 5, 0);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + length), expected);
  runtime::Free(block);
}

TEST(PictureBoxData, RefusesANewerVersionAndDataThatEndsEarly) {
  QWidget parent;
  std::vector<uint8_t> v3 = BoxData({});
  v3[0] = 3;
  EXPECT_EQ(MakeBox(&parent, v3), nullptr);
  std::vector<uint8_t> cut = BoxData(Png(Solid(4, 4, kRed)));
  cut.resize(cut.size() - 12);  // inside the picture bytes
  EXPECT_EQ(MakeBox(&parent, cut), nullptr);
  EXPECT_TRUE(parent.children().isEmpty());
}

TEST(PictureBoxData, NoDataGivesEveryDefault) {
  QWidget parent;
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, {}));
  ASSERT_NE(box, nullptr);
  PropertyValue value;
  auto get = PicBoxInterface<units::interface_number::kGetProperty>();
  ASSERT_EQ(get(box.get(), 1, &value), 1);
  EXPECT_EQ(static_cast<uint32_t>(value.first), 0xFF000000u);
  ASSERT_EQ(get(box.get(), 2, &value), 1);
  EXPECT_EQ(value.first, 0);  // no picture: a null pointer
  ASSERT_EQ(get(box.get(), 4, &value), 1);
  EXPECT_EQ(value.first, 1);
  EXPECT_EQ(get(box.get(), 7, &value), 0);
  EXPECT_EQ(Shot(box.get()).pixel(20, 15), kButtonFace);
}

TEST(PictureBoxPlacement, ShrinksAPictureThatDoesNotFitAndCentresIt) {
  EXPECT_EQ(units::PictureRect(2, {744, 206}, QRect(0, 0, 372, 206)), QRect(0, 51, 372, 103));
  EXPECT_EQ(units::PictureRect(2, {10, 6}, QRect(0, 0, 41, 30)), QRect(15, 12, 10, 6));
  EXPECT_EQ(units::PictureRect(2, {100, 100}, QRect(0, 0, 30, 0)), QRect(15, 0, 0, 0));
  EXPECT_EQ(units::PictureRect(1, {10, 6}, QRect(2, 2, 40, 30)), QRect(2, 2, 40, 30));
  EXPECT_EQ(units::PictureRect(0, {100, 6}, QRect(2, 2, 40, 30)), QRect(2, 2, 100, 6));
}

TEST(PictureBoxDrawing, EachDisplayModeOnTheBackground) {
  QWidget parent;
  // Mode 2: the 744 x 206 picture drawn 372 x 103, 51 pixels from the top.
  std::unique_ptr<units::PictureBox> box(
      MakeBox(&parent, BoxData(Png(Solid(744, 206, kBlue)), 0x000000FF, 2), {0, 0, 372, 206}));
  ASSERT_NE(box, nullptr);
  QImage shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(0, 50), kRed);
  EXPECT_EQ(shot.pixel(0, 51), kBlue);
  EXPECT_EQ(shot.pixel(371, 153), kBlue);
  EXPECT_EQ(shot.pixel(371, 154), kRed);

  // Mode 0 at natural size in the top-left corner, mode 1 stretched over the whole box.
  const std::vector<uint8_t> small = Png(Solid(10, 10, kBlue));
  SetProperty(box.get(), 2, PropertyValue::Data(small.data(), small.size()));
  SetProperty(box.get(), 3, PropertyValue::Integer(0));
  shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(9, 9), kBlue);
  EXPECT_EQ(shot.pixel(10, 9), kRed);
  SetProperty(box.get(), 3, PropertyValue::Integer(7));  // clamped to 2: centred at natural size
  EXPECT_EQ(box->Props().displayMode, 2);
  shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(181, 98), kBlue);
  EXPECT_EQ(shot.pixel(9, 9), kRed);
  SetProperty(box.get(), 3, PropertyValue::Integer(1));
  shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(0, 0), kBlue);
  EXPECT_EQ(shot.pixel(371, 205), kBlue);

  // An empty picture clears the box to its background.
  SetProperty(box.get(), 2, PropertyValue{});
  EXPECT_EQ(Shot(box.get()).pixel(5, 5), kRed);
}

TEST(PictureBoxDrawing, UnitsThatPaintTheirOwnBackgroundLeaveThePictureWholeAroundThem) {
  QWidget parent;
  // Left half red, right half blue: any piece drawn from the wrong place shows.
  QImage picture = Solid(60, 40, kRed);
  for (int y = 0; y < 40; ++y)
    for (int x = 30; x < 60; ++x) picture.setPixel(x, y, kBlue);
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData(Png(picture)), {0, 0, 80, 50}));
  ASSERT_NE(box, nullptr);
  for (QRect place : {QRect(5, 5, 10, 10), QRect(35, 20, 10, 10), QRect(25, 30, 10, 5)}) {
    auto* opaque = new QWidget(box.get());
    opaque->setAutoFillBackground(true);
    QPalette green;
    green.setColor(QPalette::Window, Qt::green);
    opaque->setPalette(green);
    opaque->setGeometry(place);
  }
  const QImage shot = Shot(box.get());
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 80; ++x) {
      QRgb expected = x >= 60 || y >= 40 ? kButtonFace : x < 30 ? kRed : kBlue;
      for (QRect place : {QRect(5, 5, 10, 10), QRect(35, 20, 10, 10), QRect(25, 30, 10, 5)})
        if (place.contains(x, y)) expected = 0xFF00FF00;
      ASSERT_EQ(shot.pixel(x, y), expected) << x << ", " << y;
    }
  }
}

TEST(PictureBoxDrawing, TransparentPngPixelsShowTheBackgroundColour) {
  QWidget parent;
  QImage picture(4, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(0, 0, 255, 255));
  picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
  picture.setPixel(2, 0, qRgba(0, 0, 255, 128));
  picture.setPixel(3, 0, qRgba(0, 0, 0, 0));
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData(Png(picture))));
  ASSERT_NE(box, nullptr);
  QImage shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(0, 0), kBlue);
  EXPECT_EQ(shot.pixel(1, 0), kButtonFace);
  const QColor half = shot.pixelColor(2, 0);
  EXPECT_GT(half.blue(), qBlue(kButtonFace));
  EXPECT_LT(half.red(), qRed(kButtonFace));

  // A new background colour shows through at the next repaint.
  SetProperty(box.get(), 1, PropertyValue::Integer(0x0000FF00));
  EXPECT_EQ(Shot(box.get()).pixel(3, 0), 0xFF00FF00);
}

TEST(PictureBoxDrawing, EdgesFrameTheClientArea) {
  QWidget parent;
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData({}, 0x000000FF, 0, 5)));
  ASSERT_NE(box, nullptr);
  QImage shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(0, 0), 0xFF000000);
  EXPECT_EQ(shot.pixel(39, 29), 0xFF000000);
  EXPECT_EQ(shot.pixel(1, 1), kRed);
  EXPECT_EQ(box->contentsRect(), QRect(1, 1, 38, 28));

  SetProperty(box.get(), 0, PropertyValue::Integer(9));  // clamped to 5
  EXPECT_EQ(box->Props().borderStyle, 5);
  SetProperty(box.get(), 0, PropertyValue::Integer(4));  // sunken inside raised: 5 pixels
  EXPECT_EQ(box->contentsRect(), QRect(5, 5, 30, 20));
  shot = Shot(box.get());
  EXPECT_NE(shot.pixel(4, 4), kRed);
  EXPECT_EQ(shot.pixel(5, 5), kRed);
  SetProperty(box.get(), 0, PropertyValue::Integer(-3));
  EXPECT_EQ(box->contentsRect(), box->rect());
}

TEST(PictureBoxContainer, AChildPaintsOverThePicture) {
  QWidget window;
  std::unique_ptr<units::PictureBox> box(
      MakeBox(&window, BoxData(Png(Solid(100, 50, kBlue)), 0x000000FF, 1), {5, 5, 100, 50}));
  ASSERT_NE(box, nullptr);
  QWidget* child = new QWidget(box.get());
  child->setGeometry(40, 10, 20, 20);
  child->setAutoFillBackground(true);
  child->setPalette(QPalette(Qt::green));
  const QImage shot = Shot(box.get());
  EXPECT_EQ(shot.pixel(45, 15), 0xFF00FF00);
  EXPECT_EQ(shot.pixel(39, 15), kBlue);
}

TEST(PictureBoxAccessibility, AnswersAsAGraphic) {
  QWidget parent;
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, {}));
  ASSERT_NE(box, nullptr);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box.get());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Graphic);
}

}  // namespace
}  // namespace picbox_test

#include "host/host.h"

namespace picbox_test {
namespace {

// In a real window: units listed as the picture box's children are built inside it at their own
// coordinates, so one at 350 in a box at 5 lines up with a unit at 355 on the window.
TEST(PictureBoxContainer, ChildrenOfTheFormLineUpWithUnitsOnTheWindow) {
  constexpr uint32_t kWindow = 0x52000001, kBox = 0x16000001, kInside = 0x16000002, kOutside = 0x16000003;
  formtool::FormWindow window;
  window.id = kWindow;
  window.units.push_back(test_support::MakeUnit(0x06000001, units::type_id::kWindow, 10, 20, 500, 300));
  formtool::FormUnit inside = test_support::MakeUnit(kInside, units::type_id::kGroupBox, 350, 10, 40, 20);
  inside.parent = kBox;
  formtool::FormUnit box = test_support::MakeUnit(kBox, units::type_id::kPicBox, 5, 5, 450, 200, BoxData({}));
  box.children = {kInside};
  window.units.push_back(inside);
  window.units.push_back(box);
  window.units.push_back(test_support::MakeUnit(kOutside, units::type_id::kGroupBox, 355, 250, 40, 20));
  test_support::TestProgram program;
  program.Start({window});
  runtime::LoadStartupWindow(kWindow);
  units::Unit* windowUnit = runtime::LiveUnit(kWindow, 0);
  units::Unit* boxUnit = runtime::LiveUnit(kWindow, kBox);
  units::Unit* insideUnit = runtime::LiveUnit(kWindow, kInside);
  units::Unit* outsideUnit = runtime::LiveUnit(kWindow, kOutside);
  ASSERT_TRUE(windowUnit && boxUnit && insideUnit && outsideUnit);
  EXPECT_EQ(insideUnit->widget()->parentWidget(), boxUnit->widget());
  QWidget* client = outsideUnit->widget()->parentWidget();
  EXPECT_EQ(insideUnit->widget()->mapTo(client, QPoint(0, 0)).x(), outsideUnit->widget()->x());
  boxUnit->widget()->move(25, 5);
  EXPECT_EQ(insideUnit->widget()->mapTo(client, QPoint(0, 0)).x(), 375);
}

}  // namespace
}  // namespace picbox_test

// The window's stored properties and the arithmetic behind its outline, background, focus order
// and key codes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/program/memory.h"
#include "base/program/program_header.h"
#include "tests/support/test_program.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_records.h"
#include "units/window/focus_order.h"
#include "units/window/key_codes.h"
#include "units/window/window_background.h"
#include "units/window/window_properties.h"
#include "units/window/window_shape.h"

namespace units {
namespace {

using test_support::PutText;
using test_support::PutU32;

std::vector<uint8_t> Written(WindowProperties& p) {
  std::vector<uint8_t> out;
  EXPECT_TRUE(WritePropertyData(p, out));
  return out;
}

TEST(WindowPropertiesTest, AllDefaultsWithANineteenByteCaptionIs119Bytes) {
  WindowProperties p;
  p.title = std::string(19, 'x');
  std::vector<uint8_t> data = Written(p);
  EXPECT_EQ(data.size(), 119u);
  EXPECT_EQ(data[0], 6);  // always the highest version

  WindowProperties back;
  ASSERT_TRUE(ReadPropertyData(back, data.data(), static_cast<int32_t>(data.size())));
  EXPECT_EQ(back.title, p.title);
  EXPECT_EQ(back.borderStyle, 2);
  EXPECT_EQ(back.backColor, 0xFF000000u);
  EXPECT_EQ(back.position, 1);
  EXPECT_EQ(back.escCloses, 1);
}

TEST(WindowPropertiesTest, OlderVersionsKeepLaterFieldsAtDefaultsAndNewerAreRefused) {
  // Version 2: the fourteen first words and ShowInTaskbar, then the counted fields.
  std::vector<uint8_t> data;
  PutU32(data, 2);
  for (uint32_t v : {0u, 3u, 0x00FF00u, 1u, 0u, 0u, 3u, 0u, 1u, 1u, 0u, 1u, 42u, 0u}) PutU32(data, v);
  for (int i = 0; i < 3; ++i) PutU32(data, 0);
  PutText(data, "标题");
  PutText(data, "help.hlp");
  WindowProperties p;
  p.shape = 7;
  ASSERT_TRUE(ReadPropertyData(p, data.data(), static_cast<int32_t>(data.size())));
  EXPECT_EQ(p.borderStyle, 0);
  EXPECT_EQ(p.backPictureMode, 3);
  EXPECT_EQ(p.backColor, 0x00FF00u);
  EXPECT_EQ(p.position, 3);
  EXPECT_EQ(p.enterMovesFocus, 1);
  EXPECT_EQ(p.helpTopic, 42);
  EXPECT_EQ(p.showInTaskbar, 0);
  EXPECT_EQ(p.shape, 0);            // reset, and absent before version 3
  EXPECT_EQ(p.alwaysOnTop, 0);
  EXPECT_EQ(p.helpFile, "help.hlp");
  EXPECT_EQ(Written(p).size(), data.size() + 4 * 4 + 4);  // written back as version 6

  data[0] = 7;
  EXPECT_FALSE(ReadPropertyData(p, data.data(), static_cast<int32_t>(data.size())));
  // Cut short inside the counted caption.
  data[0] = 2;
  EXPECT_FALSE(ReadPropertyData(p, data.data(), static_cast<int32_t>(data.size()) - 12));
}

auto WindowInterface(int32_t number) { return kWindowType.getInterface(number); }

TEST(WindowPropertiesTest, IconDataAndTextsComeOutOfStoredData) {
  WindowProperties p;
  p.icon = {1, 2, 3};
  p.title = "a";
  p.helpFile = "b";
  p.className = "c";
  std::vector<uint8_t> data = Written(p);

  auto getIcon = reinterpret_cast<GetIconDataFn>(WindowInterface(interface_number::kGetIconData));
  ASSERT_NE(getIcon, nullptr);
  int32_t length = 0;
  void* icon = getIcon(data.data(), static_cast<int32_t>(data.size()), &length);
  ASSERT_EQ(length, 3);
  EXPECT_EQ(std::memcmp(icon, p.icon.data(), 3), 0);
  runtime::Free(icon);
  WindowProperties none;
  std::vector<uint8_t> empty = Written(none);
  EXPECT_EQ(getIcon(empty.data(), static_cast<int32_t>(empty.size()), &length), nullptr);

  auto enumTexts = reinterpret_cast<EnumTextsFn>(WindowInterface(interface_number::kEnumTexts));
  ASSERT_NE(enumTexts, nullptr);
  static std::string seen;
  seen.clear();
  length = static_cast<int32_t>(data.size());
  void* renamed = enumTexts(data.data(), &length, [](const char* text, intptr_t) -> const char* {
    seen += text;
    return std::strcmp(text, "b") == 0 ? "bb" : nullptr;
  }, 0);
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(seen, "abc");
  WindowProperties back;
  ASSERT_TRUE(ReadPropertyData(back, static_cast<uint8_t*>(renamed), length));
  EXPECT_EQ(back.helpFile, "bb");
  EXPECT_EQ(back.title, "a");
  runtime::Free(renamed);
  EXPECT_EQ(WindowInterface(interface_number::kWantsKey), nullptr);
}

TEST(WindowShapeTest, OutlinesFollowTheirRules) {
  // The rounded corner of a 500 x 100 window is a fifth of the shorter side: 20 x 20.
  QRegion rounded = ShapeRegion(2, 500, 100);
  EXPECT_FALSE(rounded.contains(QPoint(0, 0)));
  EXPECT_FALSE(rounded.contains(QPoint(2, 2)));
  EXPECT_TRUE(rounded.contains(QPoint(12, 1)));  // outside a 100 x 20 corner
  EXPECT_TRUE(rounded.contains(QPoint(250, 0)));
  EXPECT_FALSE(rounded.contains(QPoint(499, 99)));

  QRegion ring = ShapeRegion(3, 200, 100);
  EXPECT_FALSE(ring.contains(QPoint(100, 50)));
  EXPECT_TRUE(ring.contains(QPoint(100, 10)));

  // Triangle 5 points down: the apex at (16383 * 100 / 32767, 100) rounds to 50.
  QRegion down = ShapeRegion(5, 100, 100);
  EXPECT_TRUE(down.contains(QPoint(50, 5)));
  EXPECT_TRUE(down.contains(QPoint(49, 95)));
  EXPECT_FALSE(down.contains(QPoint(10, 90)));
  EXPECT_FALSE(down.contains(QPoint(90, 90)));

  for (int shape = 1; shape < kShapeCount; ++shape) EXPECT_FALSE(ShapeRegion(shape, 64, 64).isEmpty()) << shape;
  EXPECT_TRUE(ShapeRegion(0, 64, 64).isEmpty());
  EXPECT_TRUE(ShapeRegion(30, 64, 64).isEmpty());
  EXPECT_TRUE(ShapeRegion(4, 0, 64).isEmpty());
}

TEST(WindowBackgroundTest, PicturePlacementByMode) {
  const QSize client(300, 200);
  EXPECT_EQ(PictureRect(0, client, QSize(50, 40)), QRect(0, 0, 50, 40));
  EXPECT_EQ(PictureRect(3, client, QSize(50, 40)), QRect(0, 0, 300, 200));
  // Centred: smaller ones unscaled, larger ones scaled by the smaller ratio, sizes truncated.
  EXPECT_EQ(PictureRect(2, client, QSize(51, 41)), QRect(124, 79, 51, 41));
  EXPECT_EQ(PictureRect(2, client, QSize(600, 300)), QRect(0, 25, 300, 150));
  EXPECT_EQ(PictureRect(2, client, QSize(100, 300)), QRect(117, 0, 66, 200));
  EXPECT_EQ(PictureRect(2, client, QSize(301, 10)), QRect(0, 95, 300, 9));
}

TEST(FocusOrderTest, CandidatesByTabOrderThenLaterListedFirst) {
  std::vector<FocusCandidate> c = {{1, 2}, {2, 0}, {3, 2}, {4, 1}, {5, 0}};
  OrderCandidates(c);
  std::vector<uint32_t> order;
  for (const FocusCandidate& x : c) order.push_back(x.index);
  EXPECT_EQ(order, (std::vector<uint32_t>{5, 2, 4, 3, 1}));

  using Kind = FocusStart::Kind;
  // A candidate moves to its neighbours, wrapping at both ends.
  EXPECT_EQ(NextInFocusOrder(c, {4, 1}, true), 3u);
  EXPECT_EQ(NextInFocusOrder(c, {4, 1}, false), 2u);
  EXPECT_EQ(NextInFocusOrder(c, {1, 2}, true), 5u);
  EXPECT_EQ(NextInFocusOrder(c, {5, 0}, false), 1u);
  // Not a candidate: the first candidate not listed after it is the reference.
  EXPECT_EQ(NextInFocusOrder(c, {3u + 100, 9}, true), 5u);
  std::vector<FocusCandidate> few = {{4, 0}, {6, 1}};
  EXPECT_EQ(NextInFocusOrder(few, {5, 0}, true), 4u);
  EXPECT_EQ(NextInFocusOrder(few, {5, 0}, false), 6u);  // reference is the first: the last
  EXPECT_EQ(NextInFocusOrder(few, {3, 0}, true), 4u);   // no reference: the first
  EXPECT_EQ(NextInFocusOrder(few, {3, 0}, false), 6u);  // and backward the last
  EXPECT_EQ(NextInFocusOrder(few, {0, 0}, true), 4u);   // from the window itself
  // Labels go by tab order; framing ones count from 0.
  EXPECT_EQ(NextInFocusOrder(c, {9, 1, Kind::kLabel}, true), 4u);
  EXPECT_EQ(NextInFocusOrder(c, {9, 1, Kind::kLabel}, false), 2u);
  EXPECT_EQ(NextInFocusOrder(c, {9, 3, Kind::kLabel}, true), std::nullopt);
  EXPECT_EQ(NextInFocusOrder(c, {9, 0, Kind::kLabel}, false), std::nullopt);
  EXPECT_EQ(NextInFocusOrder(c, {9, 7, Kind::kFrameLabel}, true), 5u);
  EXPECT_EQ(NextInFocusOrder({}, {1, 0}, true), std::nullopt);
}

TEST(KeyCodesTest, QtKeysBecomeVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyCode(Qt::Key_A, Qt::NoModifier), 'A');
  EXPECT_EQ(VirtualKeyCode(Qt::Key_7, Qt::KeypadModifier), '7');
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Minus, Qt::KeypadModifier), 189);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Period, Qt::KeypadModifier), 190);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Slash, Qt::KeypadModifier), 191);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Asterisk, Qt::KeypadModifier), 106);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Asterisk, Qt::ShiftModifier), '8');
  EXPECT_EQ(VirtualKeyCode(Qt::Key_F1, Qt::NoModifier), 0x70);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_F12, Qt::NoModifier), 0x7B);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Backtab, Qt::ShiftModifier), 9);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Down, Qt::NoModifier), 40);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Escape, Qt::NoModifier), 27);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_unknown, Qt::NoModifier), 0);
  EXPECT_EQ(EventModifiers(Qt::ControlModifier | Qt::AltModifier), 5);
  EXPECT_EQ(KeyModifierBits(Qt::ShiftModifier | Qt::KeypadModifier), 0x4000u);
}

}  // namespace
}  // namespace units

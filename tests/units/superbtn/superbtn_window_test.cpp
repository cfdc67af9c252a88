// The button and the label in a real window built by the host: a click or Enter runs the bound
// handler, which writes its result into a label.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstring>

#include "host/host.h"
#include "base/program/memory.h"
#include "tests/support/test_program.h"
#include "contract/unit.h"
#include "contract/unit_type_ids.h"

namespace {

using test_support::PutBytes;
using test_support::PutText;
using test_support::PutU32;

constexpr uint32_t kMain = 0x52000001, kOwn = 0x06000001, kButton = 0x16000001, kLabel = 0x16000002;
constexpr uint32_t kTabStop = 0x4;

std::vector<uint8_t> DefaultButtonData(const char* caption = "计算", const char* toolTip = "") {
  std::vector<uint8_t> d;
  // Version 2, hover style, no check mode, border and colours of the system, default button.
  for (uint32_t v : {2u, 0u, 0u, 0u, 0u, 0u, 1u, 0u, 0xFF000000u, 0xFF000000u, 1u, 0u, 1u}) PutU32(d, v);
  for (uint32_t c : {0u, 0x00C8D0D4u, 0u, 0x00E8F0F4u, 0u, 0x00C8D0D4u}) PutU32(d, c);
  for (int i = 0; i < 5; ++i) PutBytes(d, {});
  PutText(d, caption);
  PutText(d, toolTip);
  PutU32(d, 0xFF000000u);
  PutBytes(d, {});
  return d;
}

std::string LabelText() {
  runtime::DataBytes text = runtime::GetUnitProperty(kMain, kLabel, 8, -1);
  std::string out = text.text != nullptr ? text.text : "";
  runtime::Free(text.text);
  return out;
}

TEST(SuperBtnInWindowTest, ClickAndEnterRunTheHandlerThatFillsTheLabel) {
  test_support::TestProgram program;
  int runs = 0;
  const int32_t handler = program.AddHandler([&runs](const intptr_t*, int32_t, int64_t*) {
    ++runs;
    char text[16];
    std::snprintf(text, sizeof text, "%d", runs * 21);
    runtime::DataBytes value{};
    value.text = text;
    runtime::SetUnitProperty(kMain, kLabel, 8, -1, value);
    return false;
  });
  formtool::FormWindow window;
  window.id = kMain;
  window.units.push_back(test_support::MakeUnit(kOwn, units::type_id::kWindow, 10, 10, 300, 200));
  formtool::FormUnit button =
      test_support::MakeUnit(kButton, units::type_id::kSuperBtn, 10, 10, 80, 30, DefaultButtonData());
  button.flags |= kTabStop;
  button.bindings = {{0, handler}};
  window.units.push_back(button);
  window.units.push_back(test_support::MakeUnit(kLabel, units::type_id::kTransLabel, 10, 60, 100, 20));
  program.Start({window});
  runtime::LoadStartupWindow(kMain);

  QPointer<QWidget> widget = runtime::LiveUnit(kMain, kButton)->widget();
  QTest::mouseClick(widget, Qt::LeftButton, {}, {40, 15});
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(LabelText(), "21");

  widget->setFocus();
  QTest::keyClick(widget, Qt::Key_Return);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(LabelText(), "42");

  // Disabled, the default button does not act on Enter pressed elsewhere in its window.
  runtime::DataBytes disabled{};
  disabled.i32 = 1;
  runtime::SetUnitProperty(kMain, kButton, 6, -1, disabled);
  ASSERT_FALSE(widget->isEnabled());
  QWidget* windowWidget = runtime::LiveUnit(kMain, 0)->widget();
  windowWidget->setFocus();
  QTest::keyClick(windowWidget, Qt::Key_Return);
  EXPECT_EQ(runs, 2);
  runtime::DataBytes enabled{};
  runtime::SetUnitProperty(kMain, kButton, 6, -1, enabled);
  QTest::keyClick(windowWidget, Qt::Key_Return);
  EXPECT_EQ(runs, 3);

  // No longer the default button: the host re-creates it, and Enter does nothing.
  runtime::DataBytes off{};
  runtime::SetUnitProperty(kMain, kButton, 34, -1, off);
  EXPECT_TRUE(widget.isNull());
  QWidget* fresh = runtime::LiveUnit(kMain, kButton)->widget();
  fresh->setFocus();
  QTest::keyClick(fresh, Qt::Key_Return);
  EXPECT_EQ(runs, 3);
}

std::vector<uint8_t> LabelData(const char* text) {
  std::vector<uint8_t> d;
  for (uint32_t v : {1u, 0u, 0u, 0u, 1u, 0u}) PutU32(d, v);
  PutBytes(d, {});
  PutText(d, text);
  return d;
}

TEST(SuperBtnInWindowTest, MnemonicsClickButtonsAndLabelsPassTheFocusOn) {
  constexpr uint32_t kOther = 0x16000003;
  test_support::TestProgram program;
  int runs = 0;
  const int32_t handler = program.AddHandler([&runs](const intptr_t*, int32_t, int64_t*) { return ++runs, false; });
  formtool::FormWindow window;
  window.id = kMain;
  window.units.push_back(test_support::MakeUnit(kOwn, units::type_id::kWindow, 10, 10, 300, 200));
  formtool::FormUnit go = test_support::MakeUnit(kButton, units::type_id::kSuperBtn, 10, 10, 80, 30,
                                                 DefaultButtonData("&Go"));
  go.flags |= kTabStop;
  go.bindings = {{0, handler}};
  formtool::FormUnit other = test_support::MakeUnit(kOther, units::type_id::kSuperBtn, 100, 10, 80, 30,
                                                    DefaultButtonData("Other"));
  other.flags |= kTabStop;
  other.tabOrder = 1;
  window.units.push_back(go);
  window.units.push_back(other);
  window.units.push_back(
      test_support::MakeUnit(kLabel, units::type_id::kTransLabel, 10, 60, 100, 20, LabelData("下一个(&n)")));
  program.Start({window});
  runtime::LoadStartupWindow(kMain);
  QWidget* first = runtime::LiveUnit(kMain, kButton)->widget();
  QWidget* second = runtime::LiveUnit(kMain, kOther)->widget();
  ASSERT_TRUE(QTest::qWaitForWindowActive(first->window()));

  second->setFocus();
  QTest::keyClick(second, Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(runs, 1);
  // Arrows are no button's: the focus stays.
  QTest::keyClick(second, Qt::Key_Left);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), second);
  // The label passes the focus to the first unit from its own tab order on; its mark is a
  // lower-case letter, which Alt answers all the same.
  QTest::keyClick(second, Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), first);
  EXPECT_EQ(runs, 1);
}

// The user points at a button of a window that a modal window blocks: no tip shows until the
// modal window has closed.
TEST(SuperBtnInWindowTest, ABlockedWindowShowsNoToolTips) {
  constexpr uint32_t kModal = 0x52000002, kModalOwn = 0x06000002;
  test_support::TestProgram program;
  formtool::FormWindow window;
  window.id = kMain;
  window.units.push_back(test_support::MakeUnit(kOwn, units::type_id::kWindow, 10, 10, 300, 200));
  window.units.push_back(
      test_support::MakeUnit(kButton, units::type_id::kSuperBtn, 10, 10, 80, 30, DefaultButtonData("计算", "提示")));
  formtool::FormWindow modal;
  modal.id = kModal;
  modal.units.push_back(test_support::MakeUnit(kModalOwn, units::type_id::kWindow, 40, 40, 200, 100));
  program.Start({window, modal});
  runtime::LoadStartupWindow(kMain);
  QWidget* button = runtime::LiveUnit(kMain, kButton)->widget();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(button->window()));
  auto pointAt = [button] {
    QHelpEvent help(QEvent::ToolTip, {5, 5}, button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &help);
    auto* tip = button->findChild<QLabel*>(QStringLiteral("superbtn-tip"));
    return tip != nullptr && tip->isVisible();
  };
  bool tipWhileBlocked = true, blocked = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    units::Unit* shown = runtime::LiveUnit(kModal, 0);
    if (shown == nullptr || !shown->widget()->isVisible()) return;
    poll.stop();
    blocked = runtime::GetUnitProperty(kMain, 0, 6, -1).i32 != 0;
    tipWhileBlocked = pointAt();
    shown->widget()->close();
  });
  poll.start(0);
  runtime::LoadWindow({kModal, nullptr, 1});
  EXPECT_TRUE(blocked);
  EXPECT_FALSE(tipWhileBlocked);
  EXPECT_TRUE(pointAt());
}

}  // namespace

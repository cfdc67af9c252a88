// The window unit live: frame and geometry, the close protocol, keyboard navigation, the common
// events and the background's pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>

#include <cstring>

#include <functional>
#include <tuple>
#include <vector>

#include "platform/colors.h"
#include "platform/gbk.h"
#include "platform/sound.h"
#include "host/host.h"
#include "tests/platform/wave_builder.h"
#include "tests/support/test_program.h"
#include "tests/units/window/test_controls.h"
#include "contract/live_window.h"
#include "units/window/window_properties.h"
#include "units/window/window_unit.h"

namespace window_test {
namespace {

constexpr uint32_t kMain = 0x52000001;
constexpr uint32_t kMainOwn = 0x06000001;
constexpr uint32_t kSecond = 0x52000002;
constexpr uint32_t kSecondOwn = 0x06000002;

using units::WindowProperties;
using units::WindowUnit;

std::vector<uint8_t> WindowData(const std::function<void(WindowProperties&)>& edit = {}) {
  WindowProperties p;
  p.position = 0;
  if (edit) edit(p);
  std::vector<uint8_t> out;
  units::WritePropertyData(p, out);
  return out;
}

formtool::FormWindow Window(uint32_t id, uint32_t ownId, std::vector<uint8_t> data, int w = 300, int h = 200) {
  formtool::FormWindow window;
  window.id = id;
  window.units.push_back(test_support::MakeUnit(ownId, kWindow, 10, 20, w, h, std::move(data)));
  return window;
}

formtool::FormUnit Control(uint32_t id, uint32_t type, uint32_t tabOrder, const char* text = "",
                           int left = 0, int top = 0) {
  std::vector<uint8_t> data;
  test_support::PutU32(data, 1);
  test_support::PutText(data, text);
  formtool::FormUnit unit = test_support::MakeUnit(id, type, left, top, 40, 20, data);
  unit.flags = 1 | 4;  // visible, tab stop
  unit.tabOrder = tabOrder;
  return unit;
}

std::vector<uint8_t> Bmp(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
  return {bytes.begin(), bytes.end()};
}

class WindowUnitTest : public testing::Test {
 protected:
  // Records each window event it is bound to; `answers` gives a handler's result (none: no value).
  int32_t Recorder(uint32_t unit, int32_t event, std::function<std::optional<int64_t>()> answer = {}) {
    return program_.AddHandler([this, unit, event, answer](const intptr_t* args, int32_t count, int64_t* result) {
      Seen seen{unit, event, std::vector<intptr_t>(args, args + count)};
      events_.push_back(seen);
      if (!answer) return false;
      std::optional<int64_t> value = answer();
      if (!value) return false;
      *result = *value;
      return true;
    });
  }
  void Bind(formtool::FormUnit& unit, int32_t event, std::function<std::optional<int64_t>()> answer = {}) {
    unit.bindings.push_back({event, Recorder(unit.id, event, std::move(answer))});
  }
  void Start(const formtool::Form& form) { program_.Start(form, {&WindowTestLibrary()}); }
  WindowUnit* Load(uint32_t id) {
    runtime::LoadWindow({id, nullptr, 0});
    return dynamic_cast<WindowUnit*>(runtime::LiveUnit(id, 0));
  }
  QWidget* UnitWidget(uint32_t windowId, uint32_t unitId) { return runtime::LiveUnit(windowId, unitId)->widget(); }
  int32_t Property(uint32_t windowId, uint32_t unitId, int32_t property) {
    return runtime::GetUnitProperty(windowId, unitId, property, 0).i32;
  }
  void SetProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t value) {
    runtime::DataBytes v{};
    v.i32 = value;
    runtime::SetUnitProperty(windowId, unitId, property, 0, v);
  }
  int Count(uint32_t unit, int32_t event) const {
    int n = 0;
    for (const Seen& s : events_) n += s.unit == unit && s.event == event;
    return n;
  }
  static void DeleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  struct Seen {
    uint32_t unit;
    int32_t event;
    std::vector<intptr_t> args;
  };
  std::vector<Seen> events_;
  test_support::TestProgram program_;
};

TEST_F(WindowUnitTest, OuterRectangleHoldsTheFrameAndTheClientLiesInside) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData([](WindowProperties& p) { p.title = platform::Utf8ToGbk("成绩"); }), 787, 820);
  Start({main});
  WindowUnit* window = Load(kMain);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(781, 792));
  EXPECT_EQ(window->geometry().topLeft(), QPoint(13, 45));
  EXPECT_EQ(Property(kMain, 0, 0), 10);
  EXPECT_EQ(Property(kMain, 0, 1), 20);
  EXPECT_EQ(Property(kMain, 0, 2), 787);
  EXPECT_EQ(Property(kMain, 0, 3), 820);
  SetProperty(kMain, 0, 2, 300);
  SetProperty(kMain, 0, 3, 200);
  EXPECT_EQ(window->size(), QSize(294, 172));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("成绩"));
  EXPECT_EQ(window->objectName(), QStringLiteral("RKWindow"));
  // A fixed frame: the user cannot resize it.
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(WindowUnitTest, BorderStylesMapOntoTheFrame) {
  Start({Window(kMain, kMainOwn, WindowData([](WindowProperties& p) {
           p.borderStyle = 0;
           p.title = platform::Utf8ToGbk("有标题");
         })),
         Window(kSecond, kSecondOwn, WindowData([](WindowProperties& p) {
           p.borderStyle = 3;
           p.maxButton = 1;
           p.closable = 0;
           p.className = "MyForm";
         }))});
  WindowUnit* bare = Load(kMain);
  // No border: no caption even with a title, and the client area is the whole window.
  EXPECT_TRUE(bare->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(bare->windowFlags() & Qt::WindowTitleHint);
  EXPECT_EQ(bare->size(), QSize(300, 200));

  WindowUnit* tool = Load(kSecond);
  EXPECT_EQ(tool->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(tool->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(tool->windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(tool->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_NE(tool->minimumSize(), tool->maximumSize());  // a thick frame resizes
  EXPECT_EQ(tool->objectName(), QStringLiteral("MyForm"));

  // A new border style keeps the outer rectangle and gives the client area the new frame.
  SetProperty(kMain, 0, 9, 2);
  EXPECT_EQ(bare->size(), QSize(294, 172));
  EXPECT_TRUE(bare->windowFlags() & Qt::WindowTitleHint);
  EXPECT_EQ(Property(kMain, 0, 2), 300);
}

TEST_F(WindowUnitTest, PositionCentresByIntegerDivisionAndReadsTheLiveState) {
  Start({Window(kMain, kMainOwn, WindowData([](WindowProperties& p) { p.position = 1; }), 301, 201),
         Window(kSecond, kSecondOwn, WindowData([](WindowProperties& p) { p.position = 3; }))});
  WindowUnit* centred = Load(kMain);
  QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  EXPECT_EQ(Property(kMain, 0, 0), (screen.width() - 301) / 2);
  EXPECT_EQ(Property(kMain, 0, 1), (screen.height() - 201) / 2);
  EXPECT_EQ(Property(kMain, 0, 18), 0);  // shown normally, not "centred"
  SetProperty(kMain, 0, 18, 2);
  EXPECT_TRUE(centred->isMinimized());
  EXPECT_EQ(Property(kMain, 0, 18), 2);

  // Maximised at the start only with a thick frame.
  WindowUnit* fixed = Load(kSecond);
  EXPECT_FALSE(fixed->isMaximized());
  EXPECT_EQ(fixed->InitialShowState(), 0);
  SetProperty(kSecond, 0, 9, 1);
  EXPECT_EQ(fixed->InitialShowState(), 3);
}

// Logicals take any non-zero word as on (the platform's true is -1), choices are brought into
// their range, and a plain integer keeps what it is given.
TEST_F(WindowUnitTest, WrittenWordsBecomeLogicalsOrChoicesInRange) {
  Start({Window(kMain, kMainOwn, WindowData())});
  WindowUnit* window = Load(kMain);
  ASSERT_NE(window, nullptr);
  constexpr int32_t kOwn = 8;
  for (auto [index, value, stored] : std::vector<std::tuple<int32_t, int32_t, int32_t>>{
           {7, -1, 1}, {8, 5, 1}, {14, 0, 0}, {19, -1, 1}, {1, 9, 6}, {4, -2, 0}, {6, 7, 2}, {20, 99, 29},
           {17, -5, -5}}) {
    SetProperty(kMain, 0, kOwn + index, value);
    EXPECT_EQ(Property(kMain, 0, kOwn + index), stored) << "own property " << index;
  }
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->Props().moveAnywhere, 1);
}

TEST_F(WindowUnitTest, CloseRequestAsksEvent12ThenEvent1AndEitherCanRefuse) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  bool allow12 = false, allow1 = false;
  Bind(main.units[0], 12, [&]() -> std::optional<int64_t> { return allow12; });
  Bind(main.units[0], 1, [&]() -> std::optional<int64_t> { return allow1; });
  Bind(main.units[0], 2);
  Start({main});
  WindowUnit* window = Load(kMain);
  window->close();
  DeleteLater();
  EXPECT_EQ(Count(kMainOwn, 12), 1);
  EXPECT_EQ(Count(kMainOwn, 1), 0);
  ASSERT_NE(runtime::LiveUnit(kMain, 0), nullptr);

  allow12 = true;
  window->close();
  DeleteLater();
  EXPECT_EQ(Count(kMainOwn, 1), 1);
  ASSERT_NE(runtime::LiveUnit(kMain, 0), nullptr);

  allow1 = true;
  window->close();
  DeleteLater();
  EXPECT_EQ(runtime::LiveUnit(kMain, 0), nullptr);
  EXPECT_EQ(Count(kMainOwn, 2), 1);
  EXPECT_EQ(Count(kMainOwn, 11), 0);  // closing is no hiding
}

TEST_F(WindowUnitTest, ClosingAModalWindowGivesTheOthersBackTheirState) {
  formtool::FormWindow first = Window(kMain, kMainOwn, WindowData());
  first.units.push_back(Control(0x16000001, kPlain, 1, "", 20, 20));
  Bind(first.units[0], 12);
  Bind(first.units[1], -1);
  Start({first, Window(kSecond, kSecondOwn, WindowData())});
  WindowUnit* main = Load(kMain);
  main->show();
  QWidget* control = UnitWidget(kMain, 0x16000001);
  // Loaded modally, the second window runs its own loop: close it from inside once it is shown.
  QTimer closer;
  bool seenDisabled = false, survivedClose = false;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    auto* modal = dynamic_cast<units::LiveWindow*>(runtime::LiveUnit(kSecond, 0));
    if (modal == nullptr || !modal->Widget()->isVisible()) return;
    EXPECT_EQ(modal->Widget()->parentWidget(), runtime::HiddenOwner());
    seenDisabled = !main->enabled;
    closer.stop();
    // The disabled window hears nothing of the mouse and refuses the desktop's close button.
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::instance()->notify(main, &close);  // as the desktop's close request comes
    survivedClose = runtime::LiveUnit(kMain, 0) != nullptr;
    modal->Widget()->close();
  });
  closer.start(0);
  runtime::LoadWindow({kSecond, nullptr, 1});
  EXPECT_TRUE(seenDisabled);
  EXPECT_TRUE(survivedClose);
  EXPECT_EQ(Count(0x16000001, -1), 0);
  EXPECT_EQ(Count(kMainOwn, 12), 0);
  EXPECT_TRUE(main->enabled);
  EXPECT_EQ(runtime::LiveUnit(kSecond, 0), nullptr);
  QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Count(0x16000001, -1), 1);
}

// A modal window opened over another modal window: closing the inner one gives the outer one
// back its input, while the window under both stays blocked until the outer one closes too.
TEST_F(WindowUnitTest, ClosingANestedModalWindowLeavesTheOuterOnesBlockBehind) {
  constexpr uint32_t kThird = 0x52000003, kThirdOwn = 0x06000003;
  formtool::FormWindow first = Window(kMain, kMainOwn, WindowData());
  first.units.push_back(Control(0x16000001, kPlain, 1, "", 20, 20));
  Bind(first.units[1], -1);
  Start({first, Window(kSecond, kSecondOwn, WindowData()), Window(kThird, kThirdOwn, WindowData())});
  WindowUnit* main = Load(kMain);
  main->show();
  QWidget* control = UnitWidget(kMain, 0x16000001);
  auto shown = [](uint32_t id) -> units::LiveWindow* {
    auto* window = dynamic_cast<units::LiveWindow*>(runtime::LiveUnit(id, 0));
    return window != nullptr && window->modal && window->Widget()->isVisible() ? window : nullptr;
  };
  bool mainBlockedUnderBoth = false, mainStillBlocked = false, outerFree = false, innerClosed = false;
  // Each modal load runs a loop of its own: the inner window is opened from inside the outer
  // one's loop, and closed from inside its own.
  QTimer closeInner;
  QObject::connect(&closeInner, &QTimer::timeout, [&] {
    units::LiveWindow* inner = shown(kThird);
    if (inner == nullptr) return;
    closeInner.stop();
    mainBlockedUnderBoth = !main->enabled;
    inner->Widget()->close();
  });
  QTimer openInner;
  QObject::connect(&openInner, &QTimer::timeout, [&] {
    units::LiveWindow* outer = shown(kSecond);
    if (outer == nullptr) return;
    openInner.stop();
    closeInner.start(0);
    runtime::LoadWindow({kThird, nullptr, 1});
    innerClosed = runtime::LiveUnit(kThird, 0) == nullptr;
    mainStillBlocked = !main->enabled;
    outerFree = outer->enabled;
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    outer->Widget()->close();
  });
  openInner.start(0);
  runtime::LoadWindow({kSecond, nullptr, 1});
  EXPECT_TRUE(mainBlockedUnderBoth);
  EXPECT_TRUE(innerClosed);
  EXPECT_TRUE(mainStillBlocked);
  EXPECT_TRUE(outerFree);
  EXPECT_EQ(Count(0x16000001, -1), 0);
  EXPECT_EQ(runtime::LiveUnit(kSecond, 0), nullptr);
  EXPECT_TRUE(main->enabled);
  QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Count(0x16000001, -1), 1);
}

TEST_F(WindowUnitTest, EscClosesOnlyWhenAllowedAndNotTakenByTheFocusedUnit) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kPlain, 1));
  main.units.push_back(Control(0x16000002, kWantsEsc, 2));
  Bind(main.units[0], 12, [] { return std::optional<int64_t>(0); });
  formtool::FormWindow second = Window(kSecond, kSecondOwn, WindowData([](WindowProperties& p) { p.escCloses = 0; }));
  second.units.push_back(Control(0x16000003, kPlain, 1));
  Bind(second.units[0], 12);
  Start({main, second});
  WindowUnit* window = Load(kMain);
  WindowUnit* other = Load(kSecond);
  window->show();
  QApplication::setActiveWindow(window);

  UnitWidget(kMain, 0x16000002)->setFocus();
  QTest::keyClick(UnitWidget(kMain, 0x16000002), Qt::Key_Escape);
  EXPECT_EQ(Count(kMainOwn, 12), 0);
  UnitWidget(kMain, 0x16000001)->setFocus();
  QTest::keyClick(UnitWidget(kMain, 0x16000001), Qt::Key_Escape);
  EXPECT_EQ(Count(kMainOwn, 12), 1);
  other->show();
  QApplication::setActiveWindow(other);
  UnitWidget(kSecond, 0x16000003)->setFocus();
  QTest::keyClick(UnitWidget(kSecond, 0x16000003), Qt::Key_Escape);
  EXPECT_EQ(Count(kSecondOwn, 12), 0);
}

TEST_F(WindowUnitTest, TabVisitsUnitsByTabOrderLaterListedFirstAmongEquals) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kPlain, 2));
  main.units.push_back(Control(0x16000002, kPlain, 1));
  main.units.push_back(Control(0x16000003, kPlain, 1));
  main.units.push_back(Control(0x16000004, kLabel, 0, "&Name"));
  formtool::FormUnit disabled = Control(0x16000005, kPlain, 0);
  disabled.flags |= 2;
  main.units.push_back(disabled);
  formtool::FormUnit noTabStop = Control(0x16000006, kPlain, 0);
  noTabStop.flags = 1;
  main.units.push_back(noTabStop);
  Start({main});
  WindowUnit* window = Load(kMain);
  window->show();
  QApplication::setActiveWindow(window);

  auto focused = [&]() -> uint32_t {
    for (uint32_t id = 0x16000001; id <= 0x16000006; ++id)
      if (UnitWidget(kMain, id)->hasFocus()) return id;
    return 0;
  };
  UnitWidget(kMain, 0x16000003)->setFocus();
  std::vector<uint32_t> forward;
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    forward.push_back(focused());
  }
  EXPECT_EQ(forward, (std::vector<uint32_t>{0x16000002, 0x16000001, 0x16000003}));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focused(), 0x16000001u);

  // From a unit that is no candidate: the first candidate not listed after it.
  UnitWidget(kMain, 0x16000006)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(focused(), 0x16000003u);

  // A label's mnemonic passes the focus to the first unit from its tab order on.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(focused(), 0x16000003u);
}

TEST_F(WindowUnitTest, EnterActsOnTheDefaultButtonOrMovesTheFocus) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kPlain, 1));
  main.units.push_back(Control(0x16000002, kPushButton, 2, "plain"));
  main.units.push_back(Control(0x16000003, kPushButton, 3, "default"));
  Bind(main.units[2], 0);
  Bind(main.units[3], 0);
  formtool::FormWindow second = Window(kSecond, kSecondOwn, WindowData([](WindowProperties& p) { p.enterMovesFocus = 1; }));
  second.units.push_back(Control(0x16000004, kPlain, 1));
  second.units.push_back(Control(0x16000005, kPlain, 2));
  Start({main, second});
  Load(kMain);
  WindowUnit* other = Load(kSecond);

  QTest::keyClick(UnitWidget(kMain, 0x16000001), Qt::Key_Return);
  EXPECT_EQ(Count(0x16000003, 0), 1);
  EXPECT_EQ(Count(0x16000002, 0), 0);

  other->show();
  QApplication::setActiveWindow(other);
  UnitWidget(kSecond, 0x16000004)->setFocus();
  QTest::keyClick(UnitWidget(kSecond, 0x16000004), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(UnitWidget(kSecond, 0x16000005)->hasFocus());
}

TEST_F(WindowUnitTest, ArrowsMoveAmongRadioUnitsAndCheckTheChosenOne) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kRadio, 1));
  main.units.push_back(Control(0x16000002, kRadio, 2));
  main.units.push_back(Control(0x16000003, kPlain, 3));
  Bind(main.units[2], 0);
  Start({main});
  WindowUnit* window = Load(kMain);
  window->show();
  QApplication::setActiveWindow(window);
  UnitWidget(kMain, 0x16000001)->setFocus();
  QTest::keyClick(UnitWidget(kMain, 0x16000001), Qt::Key_Down);
  auto* second = static_cast<QPushButton*>(UnitWidget(kMain, 0x16000002));
  EXPECT_TRUE(second->hasFocus());
  EXPECT_TRUE(second->isChecked());
  EXPECT_EQ(Count(0x16000002, 0), 1);
  QTest::keyClick(second, Qt::Key_Down);  // the plain unit is no radio: back to the first
  EXPECT_TRUE(UnitWidget(kMain, 0x16000001)->hasFocus());
  EXPECT_FALSE(second->isChecked());
}

TEST_F(WindowUnitTest, CommonEventsCarryCoordinatesKeyCodesAndCanConsume) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kPlain, 1, "", 50, 60));
  Bind(main.units[0], -1);
  Bind(main.units[1], -1, [] { return std::optional<int64_t>(0); });
  Bind(main.units[1], -9);
  Bind(main.units[1], -11, [] { return std::optional<int64_t>('b'); });
  Bind(main.units[1], -12);
  Start({main});
  WindowUnit* window = Load(kMain);
  auto* control = static_cast<QPushButton*>(UnitWidget(kMain, 0x16000001));
  int clicks = 0;
  QObject::connect(control, &QPushButton::pressed, [&] { ++clicks; });

  QTest::mousePress(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 9));
  ASSERT_EQ(Count(kMainOwn, -1), 1);
  EXPECT_EQ(events_.back().args, (std::vector<intptr_t>{7, 9, 2}));
  QTest::mousePress(control, Qt::LeftButton, Qt::ControlModifier, QPoint(3, 4));
  EXPECT_EQ(events_.back().args, (std::vector<intptr_t>{3, 4, 1}));
  EXPECT_EQ(clicks, 0);  // the handler answered false: the press is consumed

  QTest::keyClick(control, Qt::Key_5, Qt::KeypadModifier);
  ASSERT_EQ(Count(0x16000001, -9), 1);
  EXPECT_EQ(events_[events_.size() - 2].args, (std::vector<intptr_t>{'5', 0}));
  EXPECT_EQ(events_.back().event, -11);
  EXPECT_EQ(events_.back().args, (std::vector<intptr_t>{'5'}));

  QWheelEvent wheel(QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -240), Qt::NoButton,
                    Qt::AltModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(control, &wheel);
  EXPECT_EQ(events_.back().event, -12);
  EXPECT_EQ(events_.back().args, (std::vector<intptr_t>{-2, 4}));
}

TEST_F(WindowUnitTest, CharacterHandlerReplacesOrSwallowsTheCharacter) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  formtool::FormUnit edit = test_support::MakeUnit(0x16000001, kPlain, 0, 0, 40, 20);
  main.units.push_back(edit);
  int64_t answer = 'b';
  Bind(main.units[1], -11, [&] { return std::optional<int64_t>(answer); });
  Start({main});
  Load(kMain);
  QWidget* control = UnitWidget(kMain, 0x16000001);
  QStringList texts;
  struct Watcher : QObject {
    QStringList* texts;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress) texts->push_back(static_cast<QKeyEvent*>(e)->text());
      return false;
    }
  } watcher;
  watcher.texts = &texts;
  control->installEventFilter(&watcher);
  QTest::keyClick(control, Qt::Key_A);
  answer = 0;
  QTest::keyClick(control, Qt::Key_C);
  EXPECT_EQ(texts, QStringList{QStringLiteral("b")});
}

TEST_F(WindowUnitTest, TurningTopmostOffReassertsItOnWindowsWithoutTaskbarButton) {
  auto onTop = [](int taskbar) {
    return WindowData([taskbar](WindowProperties& p) {
      p.alwaysOnTop = 1;
      p.showInTaskbar = taskbar;
    });
  };
  constexpr uint32_t kThird = 0x52000003, kThirdOwn = 0x06000003;
  Start({Window(kMain, kMainOwn, onTop(1)), Window(kSecond, kSecondOwn, onTop(0)),
         Window(kThird, kThirdOwn, onTop(1))});
  WindowUnit* main = Load(kMain);
  WindowUnit* hidden = Load(kSecond);
  WindowUnit* listed = Load(kThird);
  EXPECT_EQ(hidden->parentWidget(), runtime::HiddenOwner());
  EXPECT_TRUE(main->topmost);
  // The platform lost the others' state.
  hidden->setWindowFlag(Qt::WindowStaysOnTopHint, false);
  listed->setWindowFlag(Qt::WindowStaysOnTopHint, false);
  SetProperty(kMain, 0, 29, 0);
  EXPECT_FALSE(main->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(main->topmost);
  EXPECT_TRUE(hidden->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(listed->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(WindowUnitTest, ShapeMasksTheWindowAndFollowsItsSize) {
  Start({Window(kMain, kMainOwn, WindowData([](WindowProperties& p) {
    p.borderStyle = 0;
    p.shape = 2;
  }), 500, 100)});
  WindowUnit* window = Load(kMain);
  EXPECT_FALSE(window->mask().contains(QPoint(2, 2)));
  EXPECT_TRUE(window->mask().contains(QPoint(12, 1)));
  SetProperty(kMain, 0, 3, 400);
  EXPECT_TRUE(window->mask().contains(QPoint(250, 399)));
  EXPECT_FALSE(window->mask().contains(QPoint(499, 399)));
  SetProperty(kMain, 0, 28, 0);
  EXPECT_TRUE(window->mask().isEmpty());
}

TEST_F(WindowUnitTest, BackgroundColourAndPictureModesInPixels) {
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::red);
  std::vector<uint8_t> bmp = Bmp(picture);
  QImage big(600, 100, QImage::Format_RGB32);
  big.fill(Qt::blue);
  std::vector<uint8_t> bigBmp = Bmp(big);
  Start({Window(kMain, kMainOwn, WindowData([&](WindowProperties& p) {
    p.borderStyle = 0;
    p.backColor = 0x00FF00;  // green, 0x00BBGGRR
    p.backPicture = bmp;
    p.backPictureMode = 0;
  }))});
  WindowUnit* window = Load(kMain);
  auto pixel = [&](int x, int y) { return window->grab().toImage().pixelColor(x, y); };
  EXPECT_EQ(pixel(39, 19), QColor(Qt::red));
  EXPECT_EQ(pixel(40, 19), QColor(Qt::green));
  EXPECT_EQ(pixel(299, 199), QColor(Qt::green));

  SetProperty(kMain, 0, 12, 1);  // tiled
  EXPECT_EQ(pixel(299, 199), QColor(Qt::red));
  SetProperty(kMain, 0, 12, 2);  // centred at (130, 90)
  EXPECT_EQ(pixel(129, 95), QColor(Qt::green));
  EXPECT_EQ(pixel(130, 90), QColor(Qt::red));
  EXPECT_EQ(pixel(169, 109), QColor(Qt::red));
  EXPECT_EQ(pixel(170, 109), QColor(Qt::green));
  SetProperty(kMain, 0, 12, 3);  // stretched
  EXPECT_EQ(pixel(299, 0), QColor(Qt::red));

  // A picture larger than the client area, centred: scaled by 300/600 to 300 x 50 at y 75.
  runtime::DataBytes bytes{};
  std::vector<uint8_t> counted(4);
  uint32_t n = static_cast<uint32_t>(bigBmp.size());
  std::memcpy(counted.data(), &n, 4);
  counted.insert(counted.end(), bigBmp.begin(), bigBmp.end());
  counted.insert(counted.begin(), {1, 0, 0, 0});  // byte data: one dimension
  bytes.ptr = counted.data();
  runtime::SetUnitProperty(kMain, 0, 11, 0, bytes);
  SetProperty(kMain, 0, 12, 2);
  EXPECT_EQ(pixel(0, 74), QColor(Qt::green));
  EXPECT_EQ(pixel(0, 75), QColor(Qt::blue));
  EXPECT_EQ(pixel(299, 124), QColor(Qt::blue));
  EXPECT_EQ(pixel(299, 125), QColor(Qt::green));

  SetProperty(kMain, 0, 10, static_cast<int32_t>(0xFF000000));
  SetProperty(kMain, 0, 12, 0);
  EXPECT_EQ(pixel(299, 199), platform::BackgroundColor(0xFF000000));
}

// Byte data as the program passes it: one dimension, the count, the bytes.
std::vector<uint8_t> ByteArrayValue(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> value = {1, 0, 0, 0};
  const auto n = static_cast<uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) value.push_back(static_cast<uint8_t>(n >> (8 * i)));
  value.insert(value.end(), bytes.begin(), bytes.end());
  return value;
}

// A wave played once goes on "playing" for ever where there is no audio output (the test
// machines have none), which is where stopping it used to free it twice.
TEST_F(WindowUnitTest, ABackgroundWavePlayedOnceStopsSafelyWhenItChangesOrTheWindowCloses) {
  const std::vector<uint8_t> wave = test_support::SilentWave(3000);
  Start({Window(kMain, kMainOwn, WindowData([&](WindowProperties& p) {
    p.backSound = wave;
    p.soundPlayMode = 1;  // once
  }))});
  const int before = platform::LiveSounds();
  WindowUnit* window = Load(kMain);
  ASSERT_NE(window, nullptr);
  QTest::qWait(50);
  EXPECT_EQ(platform::LiveSounds(), before + 1) << "the window plays its sound";

  // New sound data while it plays: the old one stops, the new one starts.
  const std::vector<uint8_t> other = test_support::SilentWave(2500);
  std::vector<uint8_t> value = ByteArrayValue(other);
  runtime::DataBytes bytes{};
  bytes.ptr = value.data();
  runtime::SetUnitProperty(kMain, 0, 8 + units::kWindowTable.IndexOf("BackSound"), 0, bytes);
  DeleteLater();
  EXPECT_EQ(platform::LiveSounds(), before + 1);
  // Another play mode while it plays, twice.
  SetProperty(kMain, 0, 8 + units::kWindowTable.IndexOf("SoundPlayMode"), 0);  // repeat
  SetProperty(kMain, 0, 8 + units::kWindowTable.IndexOf("SoundPlayMode"), 1);  // once
  DeleteLater();
  EXPECT_EQ(platform::LiveSounds(), before + 1);
  SetProperty(kMain, 0, 8 + units::kWindowTable.IndexOf("SoundPlayMode"), 2);  // do not play
  DeleteLater();
  EXPECT_EQ(platform::LiveSounds(), before);
  SetProperty(kMain, 0, 8 + units::kWindowTable.IndexOf("SoundPlayMode"), 1);
  QTest::qWait(50);

  window->close();
  DeleteLater();  // the window
  DeleteLater();  // its sound, stopped as the window went
  EXPECT_EQ(runtime::LiveUnit(kMain, 0), nullptr);
  EXPECT_EQ(platform::LiveSounds(), before) << "the window's sound goes with it";
}

TEST_F(WindowUnitTest, BarsStackAlongTheEdgesKeepingTheirHeights) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData([](WindowProperties& p) { p.borderStyle = 1; }));
  main.units.push_back(Control(0x16000001, kBar, 0, "top 1", 30, 30));
  main.units.push_back(Control(0x16000002, kBar, 0, "top 2", 30, 90));
  main.units.push_back(Control(0x16000003, kBar, 0, "bottom", 30, 60));
  Start({main});
  WindowUnit* window = Load(kMain);
  EXPECT_EQ(UnitWidget(kMain, 0x16000002)->geometry(), QRect(0, 0, 294, 20));
  EXPECT_EQ(UnitWidget(kMain, 0x16000001)->geometry(), QRect(0, 20, 294, 20));
  EXPECT_EQ(UnitWidget(kMain, 0x16000003)->geometry(), QRect(0, 152, 294, 20));
  EXPECT_GE(static_cast<TestControl*>(UnitWidget(kMain, 0x16000001))->selfLayouts, 1);
  SetProperty(kMain, 0, 3, 300);
  EXPECT_EQ(UnitWidget(kMain, 0x16000003)->geometry(), QRect(0, 252, 294, 20));
  EXPECT_EQ(window->height(), 272);
}

TEST_F(WindowUnitTest, MoveAnywhereDragsTheWindowByItsClientArea) {
  Start({Window(kMain, kMainOwn, WindowData([](WindowProperties& p) {
    p.borderStyle = 0;
    p.moveAnywhere = 1;
  }))});
  WindowUnit* window = Load(kMain);
  window->show();
  const QPoint before = window->pos();
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), window->mapToGlobal(QPointF(30, 40)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &move);
  EXPECT_EQ(window->pos(), before + QPoint(20, 30));
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
}

TEST_F(WindowUnitTest, APressOnAUnitThatDoesNotDragLeavesTheWindowWhereItIs) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData([](WindowProperties& p) {
    p.borderStyle = 0;
    p.moveAnywhere = 1;
  }));
  main.units.push_back(Control(0x16000001, kLabel, 0, "passive label", 40, 40));
  Start({main});
  WindowUnit* window = Load(kMain);
  window->show();
  const QPoint before = window->pos();
  QWidget* label = UnitWidget(kMain, 0x16000001);
  QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QMouseEvent move(QEvent::MouseMove, QPointF(25, 35), label->mapToGlobal(QPointF(25, 35)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &move);
  QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(25, 35));
  EXPECT_EQ(window->pos(), before);
}

TEST_F(WindowUnitTest, EachInputIsReportedOnceForTheUnitItIsAddressedTo) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kPlain, 1, "", 20, 20));
  for (int32_t event : {-4, -9, -10, -11}) {
    Bind(main.units[0], event);
    Bind(main.units[1], event);
  }
  Start({main});
  WindowUnit* window = Load(kMain);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QWidget* control = UnitWidget(kMain, 0x16000001);
  control->setFocus();
  // A button takes neither the key A nor the right button: Qt offers both to its parents too.
  QTest::keyClick(control, Qt::Key_A);
  QTest::mousePress(control, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(control, Qt::RightButton, {}, QPoint(5, 5));
  for (int32_t event : {-4, -9, -10, -11}) {
    SCOPED_TRACE(event);
    EXPECT_EQ(Count(0x16000001, event), 1);
    EXPECT_EQ(Count(kMainOwn, event), 0);
  }
}

TEST_F(WindowUnitTest, CommittedInputMethodTextRaisesOneCharacterEventPerCharacter) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  main.units.push_back(Control(0x16000001, kPlain, 1));
  constexpr int64_t kWen = 0xCEC4;  // 文 in GBK
  Bind(main.units[1], -11, [this]() -> std::optional<int64_t> {
    if (events_.back().args.at(0) == kWen) return 0;  // swallowed
    return std::nullopt;
  });
  Start({main});
  Load(kMain);
  QWidget* control = UnitWidget(kMain, 0x16000001);
  struct Watcher : QObject {
    QString received;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::InputMethod) received += static_cast<QInputMethodEvent*>(e)->commitString();
      return false;
    }
  } watcher;
  control->installEventFilter(&watcher);
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("中文a"));
  QApplication::sendEvent(control, &commit);
  std::vector<intptr_t> characters;
  for (const Seen& seen : events_) characters.push_back(seen.args.at(0));
  EXPECT_EQ(characters, (std::vector<intptr_t>{0xD6D0, kWen, 'a'}));
  EXPECT_EQ(watcher.received, QString::fromUtf8("中a"));
}

TEST_F(WindowUnitTest, IdleEventAnswersWhetherMoreIsWanted) {
  formtool::FormWindow main = Window(kMain, kMainOwn, WindowData());
  Bind(main.units[0], 7, [] { return std::optional<int64_t>(1); });
  Start({main});
  WindowUnit* window = Load(kMain);
  EXPECT_TRUE(window->Idle(15));
  EXPECT_EQ(events_.back().args, (std::vector<intptr_t>{15}));
}

}  // namespace
}  // namespace window_test

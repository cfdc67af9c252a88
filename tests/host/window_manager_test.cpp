#include <QApplication>
#include <QTest>
#include <QTimer>

#include <string>

#include "platform/gbk.h"
#include "host/host.h"
#include "base/program/runtime_error.h"
#include "base/program/bridge.h"
#include "tests/host/host_fixture.h"

namespace host_test {
namespace {

// Two windows: the main one holds a unit listed before its container, a container and a
// tab-stop control; the second is empty.
formtool::Form TwoWindows() {
  formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
  formtool::FormUnit inner = Control(0x16000002, 3, 4);
  inner.parent = 0x16000003;
  inner.data = ControlData("inner");
  formtool::FormUnit container = Control(0x16000003, 20, 20);
  container.children = {0x16000002};
  formtool::FormUnit last = Control(0x16000004, 60, 60);
  last.flags = 5;
  main.units.push_back(inner);
  main.units.push_back(container);
  main.units.push_back(last);
  return {main, MakeWindow(kSecond, kSecondOwn)};
}

TEST_F(HostTest, BuildsUnitsInsideTheirParentsStackedByListOrder) {
  Start(TwoWindows());
  runtime::LoadStartupWindow(kMain);
  auto* window = Live<TestWindow>(kMain, 0);
  auto* inner = Live(kMain, 0x16000002);
  auto* container = Live(kMain, 0x16000003);
  auto* last = Live(kMain, 0x16000004);
  ASSERT_TRUE(window && inner && container && last);

  // Re-parenting waits until every unit exists, so a unit listed before its container lands in it.
  EXPECT_EQ(inner->parentWidget(), container);
  EXPECT_EQ(inner->geometry(), QRect(3, 4, 40, 20));
  EXPECT_EQ(container->parentWidget(), window);
  // Units are created from the last entry back: control ids grow that way.
  EXPECT_EQ(last->controlId, 100u);
  EXPECT_EQ(container->controlId, 110u);
  EXPECT_EQ(inner->controlId, 120u);
  // Among siblings, the lower list index stacks higher.
  QObjectList order = window->children();
  EXPECT_GT(order.indexOf(container), order.indexOf(last));
  EXPECT_TRUE(inner->isVisible() && last->isVisible());
  EXPECT_EQ(last->focusPolicy(), Qt::StrongFocus);
  // Each unit heard once that the window is built and once that it may show its data.
  EXPECT_EQ(container->bindings, 1);
  EXPECT_EQ(last->refreshes, 1);
}

TEST_F(HostTest, AParentIdCarriedByTwoUnitsNamesTheFirst) {
  formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
  formtool::FormUnit child = Control(0x16000002, 3, 4);
  child.parent = 0x16000005;
  main.units.push_back(child);
  main.units.push_back(Control(0x16000005, 20, 20));
  main.units.push_back(Control(0x16000005, 100, 20));
  Start({main});
  runtime::LoadStartupWindow(kMain);
  auto* inner = Live(kMain, 0x16000002);
  ASSERT_NE(inner, nullptr);
  // Units are created from the last entry back: the first of the two got the later control id.
  auto* parent = dynamic_cast<TestControl*>(inner->parentWidget());
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->controlId, 110u);
  EXPECT_EQ(parent->geometry().topLeft(), QPoint(20, 20));
}

// Parents that make a loop: a unit that is its own parent, and a container whose parent is the
// unit inside it. Each unit whose parent would close the loop stays on the window; the build ends.
TEST_F(HostTest, AParentThatWouldMakeALoopLeavesTheUnitOnTheWindow) {
  formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
  formtool::FormUnit self = Control(0x16000002, 5, 5);
  self.parent = 0x16000002;
  formtool::FormUnit container = Control(0x16000003, 20, 20);
  container.parent = 0x16000004;
  container.children = {0x16000004};
  formtool::FormUnit inner = Control(0x16000004, 3, 4);
  inner.parent = 0x16000003;
  main.units.push_back(self);
  main.units.push_back(container);
  main.units.push_back(inner);
  Start({main});
  runtime::LoadStartupWindow(kMain);
  auto* window = Live<TestWindow>(kMain, 0);
  auto* selfLive = Live(kMain, 0x16000002);
  auto* containerLive = Live(kMain, 0x16000003);
  auto* innerLive = Live(kMain, 0x16000004);
  ASSERT_TRUE(window && selfLive && containerLive && innerLive);
  EXPECT_EQ(selfLive->parentWidget(), window);
  // The container, listed first, goes into the unit it names; that unit's own parent would then
  // close the loop, so it stays on the window.
  EXPECT_EQ(containerLive->parentWidget(), innerLive);
  EXPECT_EQ(innerLive->parentWidget(), window);
  EXPECT_EQ(innerLive->geometry(), QRect(3, 4, 40, 20));
  EXPECT_TRUE(selfLive->isVisible() && containerLive->isVisible() && innerLive->isVisible());
}

TEST_F(HostTest, LoadingALoadedWindowActivatesItInsteadOfBuildingAgain) {
  Start(TwoWindows());
  EXPECT_EQ(runtime::LoadWindow({kMain, nullptr, 0}), 0);
  TestControl* before = Live(kMain, 0x16000004);
  EXPECT_EQ(runtime::LoadWindow({kMain, nullptr, 1}), 0);  // modal asked: no second loop either
  EXPECT_EQ(Live(kMain, 0x16000004), before);
  EXPECT_EQ(runtime::LoadWindow({0x52000099, nullptr, 0}), -1);
}

TEST_F(HostTest, UnitsOnLaterPagesOfAPagedContainerStartHidden) {
  formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
  formtool::FormUnit pages = Control(0x16000002, 0, 0, kPagedType);
  pages.children = {0x16000003, 0, 0x16000004};
  formtool::FormUnit first = Control(0x16000003), second = Control(0x16000004);
  first.parent = second.parent = 0x16000002;
  main.units = {main.units[0], pages, first, second};
  Start({main});
  runtime::LoadStartupWindow(kMain);
  EXPECT_TRUE(Live(kMain, 0x16000003)->isVisibleTo(Live(kMain, 0x16000002)));
  EXPECT_FALSE(Live(kMain, 0x16000004)->isVisibleTo(Live(kMain, 0x16000002)));
}

TEST_F(HostTest, AReloadedWindowStartsFromTheTemplateValues) {
  formtool::Form form = TwoWindows();
  form[0].units[3].tag = "template";
  Start(form);
  runtime::LoadStartupWindow(kMain);
  runtime::DataBytes value{};
  value.i32 = 77;
  runtime::SetUnitProperty(kMain, 0x16000004, 0, -1, value);
  value.text = const_cast<char*>("changed");
  runtime::SetUnitProperty(kMain, 0x16000004, 4, -1, value);
  runtime::SetUnitProperty(kMain, 0x16000002, 8, -1, value);

  delete Live<TestWindow>(kMain, 0);
  EXPECT_FALSE(runtime::AnyWindowAlive());
  runtime::LoadStartupWindow(kMain);
  EXPECT_EQ(runtime::GetUnitProperty(kMain, 0x16000004, 0, -1).i32, 60);
  char* tag = runtime::GetUnitProperty(kMain, 0x16000004, 4, -1).text;
  EXPECT_STREQ(tag, "template");
  runtime::Bridge().free(tag);
  EXPECT_EQ(Live(kMain, 0x16000002)->Props().text, "inner");
}

TEST_F(HostTest, AModalWindowDisablesTheOthersAndItsLoadReturnsWhenItCloses) {
  Start(TwoWindows());
  runtime::LoadStartupWindow(kMain);
  auto* main = Live<TestWindow>(kMain, 0);
  QWidget* last = Live(kMain, 0x16000004);
  main->show();
  struct PressCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      presses += event->type() == QEvent::MouseButtonPress;
      return false;
    }
  } counter;
  last->installEventFilter(&counter);
  int& presses = counter.presses;
  bool sawModal = false;
  int32_t windowDisabled = 0, unitDisabled = 1;
  bool unitsEnabled = false;
  // Waits for the modal window to be up (the build itself processes pending events), then closes it.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* second = Live<TestWindow>(kSecond, 0);
    if (second == nullptr || !second->modal) return;
    poll.stop();
    sawModal = second->builtModal;
    // The window is disabled, not what it holds: its units keep their own state.
    windowDisabled = runtime::GetUnitProperty(kMain, 0, 6, -1).i32;
    unitDisabled = runtime::GetUnitProperty(kMain, 0x16000004, 6, -1).i32;
    unitsEnabled = last->isEnabled();
    // Nothing the user does reaches a disabled window.
    QTest::mouseClick(last, Qt::LeftButton);
    second->close();
  });
  poll.start(1);
  EXPECT_EQ(runtime::LoadWindow({kSecond, nullptr, 1}), 0);
  EXPECT_TRUE(sawModal);
  EXPECT_EQ(windowDisabled, 1);
  EXPECT_EQ(unitDisabled, 0);
  EXPECT_TRUE(unitsEnabled);
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(Live<TestWindow>(kSecond, 0), nullptr);
  EXPECT_TRUE(main->enabled);
  EXPECT_EQ(runtime::GetUnitProperty(kMain, 0, 6, -1).i32, 0);
  QTest::mouseClick(last, Qt::LeftButton);
  EXPECT_EQ(presses, 1);
}

TEST_F(HostTest, AWindowThatCannotBuildAUnitGoesAndTheUserIsTold) {
  static std::string shown;
  shown.clear();
  formtool::FormWindow second = MakeWindow(kSecond, kSecondOwn);
  formtool::FormUnit broken = Control(0x16000009);
  broken.name = "broken1";
  broken.data = {99, 0, 0, 0};  // a version no reader knows: the unit cannot be made
  second.units.push_back(Control(0x16000008));
  second.units.push_back(broken);
  Start({MakeWindow(kMain, kMainOwn), second});
  runtime::SetErrorPresenter([](const std::string& text) { shown = text; });
  runtime::LoadStartupWindow(kMain);

  EXPECT_EQ(runtime::LoadWindow({kSecond, nullptr, 1}), -1);
  EXPECT_EQ(Live<TestWindow>(kSecond, 0), nullptr);
  EXPECT_NE(platform::GbkToUtf8(shown).find("broken1"), std::string::npos) << platform::GbkToUtf8(shown);
  EXPECT_EQ(runtime::EventSuppressionCount(), 0);
  // Nothing of it is left to keep the program alive once the main window goes.
  delete Live<TestWindow>(kMain, 0);
  EXPECT_FALSE(runtime::AnyWindowAlive());
  // The records are the template's again: a second try fails the same way.
  EXPECT_EQ(runtime::LoadWindow({kSecond, nullptr, 0}), -1);
}

// What no event report could name is no unit: a second window unit inside a window, or a unit
// whose id has no kind. Either window is refused as one that cannot build a unit.
TEST_F(HostTest, AWindowUnitInsideAWindowOrAUnitWithoutAnIdIsRefused) {
  static std::string shown;
  formtool::FormWindow nested = MakeWindow(kSecond, kSecondOwn);
  formtool::FormUnit inner = test_support::MakeUnit(0x06000009, kWindowType, 0, 0, 50, 50);
  inner.name = "nested1";
  nested.units.push_back(inner);
  formtool::FormWindow idless = MakeWindow(0x52000003, 0x06000003);
  formtool::FormUnit noKind = Control(0x00000005);
  noKind.name = "idless1";
  idless.units.push_back(noKind);
  Start({MakeWindow(kMain, kMainOwn), nested, idless});
  runtime::SetErrorPresenter([](const std::string& text) { shown = text; });
  runtime::LoadStartupWindow(kMain);
  for (auto [id, name] : {std::pair{kSecond, "nested1"}, std::pair{0x52000003u, "idless1"}}) {
    shown.clear();
    EXPECT_EQ(runtime::LoadWindow({id, nullptr, 0}), -1);
    EXPECT_EQ(runtime::LiveUnit(id, 0), nullptr);
    EXPECT_NE(platform::GbkToUtf8(shown).find(name), std::string::npos) << platform::GbkToUtf8(shown);
  }
  EXPECT_EQ(runtime::EventSuppressionCount(), 0);
}

TEST_F(HostTest, AWindowClosedByItsCreatedHandlerStopsTheBuildYetCountsAsLoaded) {
  int later = 0;
  formtool::FormWindow second = MakeWindow(kSecond, kSecondOwn);
  second.units[0].bindings = {{0, Handler([](const intptr_t*, int32_t, int64_t*) {
                                 delete runtime::LiveUnit(kSecond, 0);
                                 return false;
                               })},
                              {3, Handler([&](const intptr_t*, int32_t, int64_t*) { return ++later, false; })},
                              {4, Handler([&](const intptr_t*, int32_t, int64_t*) { return ++later, false; })}};
  Start({MakeWindow(kMain, kMainOwn), second});
  EXPECT_EQ(runtime::LoadWindow({kSecond, nullptr, 1}), 0);
  EXPECT_EQ(later, 0);
  EXPECT_EQ(runtime::LiveUnit(kSecond, 0), nullptr);
}

TEST_F(HostTest, OnlyTheLastWindowClosingAfterRunBeganEndsTheMainLoop) {
  Start(TwoWindows());
  runtime::LoadStartupWindow(kMain);
  delete Live<TestWindow>(kMain, 0);  // before run: no quit request
  runtime::Run();                     // no window alive: returns at once
  runtime::LoadStartupWindow(kMain);
  bool loopRan = false;
  QTimer::singleShot(0, [&] {
    loopRan = true;
    if (auto* window = Live<TestWindow>(kMain, 0)) window->close();
  });
  runtime::Run();
  EXPECT_TRUE(loopRan);
  EXPECT_FALSE(runtime::AnyWindowAlive());
}

TEST_F(HostTest, IdleProcessingCallsTheWindowsAndTheRegisteredCallbacks) {
  Start(TwoWindows());
  runtime::LoadStartupWindow(kMain);
  auto* window = Live<TestWindow>(kMain, 0);
  static int callbackRuns = 0;
  callbackRuns = 0;
  runtime::notify::IdleRegistration registration{window, [](intptr_t argument) { callbackRuns += static_cast<int>(argument); }, 2};
  runtime::HostNotifyFunction(runtime::notify::kRegisterIdle, reinterpret_cast<intptr_t>(&registration), 0);
  QTimer::singleShot(50, window, [window] { window->close(); });
  runtime::Run();
  EXPECT_GT(callbackRuns, 0);
  EXPECT_EQ(callbackRuns % 2, 0);
}

TEST_F(HostTest, TheStartupWindowMustExistAndBuild) {
  Start({MakeWindow(kMain, kMainOwn)});
  EXPECT_EXIT(runtime::LoadStartupWindow(0x52000077), testing::ExitedWithCode(255), "载入启动窗口失败");
}

}  // namespace
}  // namespace host_test

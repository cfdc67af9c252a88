// What the window unit learns of the host through the contract's window host: answered from the
// window list while the host runs, nothing before it starts and after it stops.
#include "platform/gbk.h"
#include "host/host.h"
#include "tests/host/host_fixture.h"
#include "contract/window_host.h"

namespace host_test {
namespace {

constexpr uint32_t kA = 0x16000002;
constexpr uint32_t kB = 0x16000003;
constexpr uint32_t kC = 0x16000004;

// The main window: two controls, a menu item between them and a tab-stop control last; a second
// window that stays unloaded.
formtool::Form Windows() {
  formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
  formtool::FormUnit item;
  item.menu = true;
  item.id = 0x26000005;
  item.type = 0x10003;
  item.caption = platform::Utf8ToGbk("文件");
  formtool::FormUnit c = Control(kC, 90, 6);
  c.flags = 5;  // visible, tab stop
  c.tabOrder = 7;
  main.units = {main.units[0], Control(kA, 5, 6), Control(kB, 50, 6), item, c};
  return {main, MakeWindow(kSecond, kSecondOwn)};
}

TEST_F(HostTest, TheWindowHostAnswersFromTheWindowListOnlyWhileTheHostRuns) {
  units::WindowHost& host = units::TheWindowHost();
  EXPECT_EQ(host.WindowCount(), 0u);
  EXPECT_EQ(host.HiddenOwner(), nullptr);

  Start(Windows());
  runtime::LoadStartupWindow(kMain);
  units::WindowHost& running = units::TheWindowHost();
  auto* window = Live<TestWindow>(kMain, 0);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(running.HiddenOwner(), nullptr);
  EXPECT_FALSE(running.BuildingModal());
  ASSERT_EQ(running.WindowCount(), 2u);
  EXPECT_EQ(running.LiveWindowAt(0), static_cast<units::LiveWindow*>(window));
  EXPECT_EQ(running.LiveWindowAt(1), nullptr);  // not loaded
  EXPECT_EQ(running.LiveWindowAt(2), nullptr);  // past the list's end

  // The live units in list order, the menu item left out, each with its type and record.
  std::vector<units::WindowMember> members = running.UnitsOf(*window);
  ASSERT_EQ(members.size(), 3u);
  EXPECT_EQ(members[0].index, 1u);
  EXPECT_EQ(members[0].unit, Live(kMain, kA));
  EXPECT_EQ(members[1].index, 2u);
  EXPECT_EQ(members[2].index, 4u);
  EXPECT_EQ(members[2].unit, Live(kMain, kC));
  ASSERT_NE(members[0].type, nullptr);
  EXPECT_EQ(members[0].type, &TestLibrary().unitTypes[1]);
  EXPECT_FALSE(members[0].tabStop);
  EXPECT_TRUE(members[2].tabStop);
  EXPECT_EQ(members[2].tabOrder, 7u);
  // A unit that is not a window's own unit has no units on it; a destroyed one is left out.
  EXPECT_TRUE(running.UnitsOf(*Live(kMain, kA)).empty());
  delete Live(kMain, kB);
  members = running.UnitsOf(*window);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[1].index, 4u);

  runtime::StopHost();
  units::WindowHost& stopped = units::TheWindowHost();
  EXPECT_EQ(stopped.WindowCount(), 0u);
  EXPECT_EQ(stopped.HiddenOwner(), nullptr);
}

}  // namespace
}  // namespace host_test

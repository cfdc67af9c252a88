#include <QApplication>

#include <cstring>

#include "platform/font_record.h"
#include "platform/gbk.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/values/data_block.h"
#include "tests/host/host_fixture.h"

namespace host_test {
namespace {

constexpr uint32_t kA = 0x16000002;
constexpr uint32_t kB = 0x16000003;

constexpr uint32_t kMenuItem = 0x26000005;

formtool::Form OneWindow() {
  formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
  formtool::FormUnit item;
  item.menu = true;
  item.id = kMenuItem;
  item.type = 0x10003;
  item.caption = platform::Utf8ToGbk("文件");
  item.state = 0x2;
  formtool::FormUnit a = Control(kA, 5, 6);
  a.data = ControlData("甲");
  a.tag = "tag";
  formtool::FormUnit b = Control(kB, 50, 6);
  b.flags = 5;
  main.units.push_back(a);
  main.units.push_back(b);
  main.units.push_back(item);
  return {main};
}

runtime::DataBytes Int(int32_t v) {
  runtime::DataBytes d{};
  d.i32 = v;
  return d;
}

runtime::DataBytes Text(const char* text) {
  runtime::DataBytes d{};
  d.text = const_cast<char*>(text);
  return d;
}

class PropertyTest : public HostTest {
 protected:
  void SetUp() override {
    Start(OneWindow());
    runtime::LoadStartupWindow(kMain);
  }
  static int32_t Get(uint32_t unit, int32_t property, int32_t index = -1) {
    return runtime::GetUnitProperty(kMain, unit, property, index).i32;
  }
  static void Set(uint32_t unit, int32_t property, runtime::DataBytes value, int32_t index = -1) {
    runtime::SetUnitProperty(kMain, unit, property, index, value);
  }
  static std::string TakeText(runtime::DataBytes value) {
    std::string text = value.text ? value.text : "";
    runtime::Bridge().free(value.text);
    return text;
  }
};

TEST_F(PropertyTest, PositionsAreClampedStoredAndAppliedLive) {
  Set(kA, 0, Int(-40000));
  Set(kA, 1, Int(40000));
  Set(kA, 2, Int(-5));
  Set(kA, 3, Int(32700));
  EXPECT_EQ(Get(kA, 0), -32627);
  EXPECT_EQ(Get(kA, 1), 32627);
  EXPECT_EQ(Get(kA, 2), 0);
  EXPECT_EQ(Get(kA, 3), 32627);
  EXPECT_EQ(Live(kMain, kA)->geometry(), QRect(-32627, 32627, 0, 32627));
}

TEST_F(PropertyTest, VisibleDisabledAndTagFollowTheUnit) {
  Set(kA, 5, Int(0));
  EXPECT_FALSE(Live(kMain, kA)->isVisibleTo(Live<TestWindow>(kMain, 0)));
  EXPECT_EQ(Get(kA, 5), 0);
  Set(kA, 6, Int(1));
  EXPECT_FALSE(Live(kMain, kA)->isEnabled());
  EXPECT_EQ(Get(kA, 6), 1);
  EXPECT_EQ(TakeText(runtime::GetUnitProperty(kMain, kA, 4, -1)), "tag");
  Set(kA, 4, Text(nullptr));
  EXPECT_EQ(runtime::GetUnitProperty(kMain, kA, 4, -1).text, nullptr);  // empty: no heap text
}

TEST_F(PropertyTest, MousePointerIsGivenInTheProgramsNumbering) {
  std::vector<uint8_t> block = {1, 0, 0, 0, 4, 0, 0, 0, 14, 0, 0, 0};  // {1 dimension, 4 bytes: the hand}
  runtime::DataBytes value{};
  value.ptr = block.data();
  Set(kA, 7, value);
  EXPECT_EQ(Live(kMain, kA)->cursor().shape(), Qt::BitmapCursor);
  void* read = runtime::GetUnitProperty(kMain, kA, 7, -1).ptr;
  runtime::BlockElements elements = runtime::ElementsOf(read);
  ASSERT_EQ(elements.count, 4u);
  EXPECT_EQ(elements.first[0], 14);
  runtime::Bridge().free(read);
}

TEST_F(PropertyTest, OwnPropertiesAreConvertedByTheirType) {
  EXPECT_EQ(platform::GbkToUtf8(TakeText(runtime::GetUnitProperty(kMain, kA, 8 + kText, -1))), "甲");
  Set(kA, 8 + kText, Text(nullptr));
  EXPECT_EQ(Live(kMain, kA)->Props().text, "");

  Set(kA, 8 + kFlag, Int(5));  // any nonzero writes 1
  EXPECT_EQ(Live(kMain, kA)->Props().flag, 1);
  Live(kMain, kA)->Props().flag = 2;  // only exactly 1 reads as true
  EXPECT_EQ(Get(kA, 8 + kFlag), 0);

  Set(kA, 8 + kChoice, Int(-3));
  EXPECT_EQ(Live(kMain, kA)->Props().choice, 0);

  std::vector<uint8_t> block = {1, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'};
  runtime::DataBytes bytes{};
  bytes.ptr = block.data();
  Set(kA, 8 + kBytes, bytes);
  EXPECT_EQ(Live(kMain, kA)->Props().bytes, (std::vector<uint8_t>{'a', 'b', 'c'}));
  void* read = runtime::GetUnitProperty(kMain, kA, 8 + kBytes, -1).ptr;
  EXPECT_EQ(std::memcmp(read, block.data(), block.size()), 0);
  runtime::Bridge().free(read);
}

TEST_F(PropertyTest, FontPartsChangeTheRecordTheUnitHolds) {
  Set(kA, 8 + kFont, Int(-450), 0);  // angle modulo 3600, raised when negative
  Set(kA, 8 + kFont, Int(1), 1);
  Set(kA, 8 + kFont, Int(12), 5);
  Set(kA, 8 + kFont, Text(""), 6);  // an empty face becomes the default face
  platform::FontRecord font;
  ASSERT_TRUE(platform::FontRecord::Parse(Live(kMain, kA)->Props().font, &font));
  EXPECT_EQ(font.escapement, 3150);
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.height, -16);
  EXPECT_EQ(platform::GbkToUtf8(font.faceName), "宋体");
  EXPECT_EQ(Get(kA, 8 + kFont, 1), 1);
  EXPECT_EQ(Get(kA, 8 + kFont, 5), 12);
  Set(kA, 8 + kFont, Int(0), 1);
  EXPECT_EQ(Get(kA, 8 + kFont, 1), 0);
}

TEST_F(PropertyTest, ReCreationKeepsPlaceControlIdAndVisibility) {
  TestControl* old = Live(kMain, kB);
  old->setFocus();
  Set(kB, 6, Int(1));
  Set(kB, 6, Int(0));
  Set(kB, 0, Int(70));
  uint32_t controlId = old->controlId;
  Set(kB, 8 + kRecreating, Int(9));
  TestControl* fresh = Live(kMain, kB);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->Props().recreating, 9);
  EXPECT_EQ(fresh->geometry().topLeft(), QPoint(70, 6));
  EXPECT_EQ(fresh->controlId, controlId);
  EXPECT_TRUE(fresh->isVisible());
  EXPECT_EQ(fresh->refreshes, 1);
}

TEST_F(PropertyTest, MenuItemsKeepCaptionCheckMarkDisabledAndVisible) {
  EXPECT_EQ(platform::GbkToUtf8(TakeText(runtime::GetUnitProperty(kMain, kMenuItem, 0, -1))), "文件");
  EXPECT_EQ(Get(kMenuItem, 2), 1);
  EXPECT_EQ(Get(kMenuItem, 3), 1);
  Set(kMenuItem, 0, Text("Open"));
  Set(kMenuItem, 1, Int(1));
  Set(kMenuItem, 2, Int(0));
  Set(kMenuItem, 3, Int(0));
  EXPECT_EQ(TakeText(runtime::GetUnitProperty(kMain, kMenuItem, 0, -1)), "Open");
  EXPECT_EQ(Get(kMenuItem, 1), 1);
  EXPECT_EQ(Get(kMenuItem, 2), 0);
  EXPECT_EQ(Get(kMenuItem, 3), 0);
  EXPECT_EQ(Get(kMenuItem, 9), 0);
}

TEST_F(PropertyTest, MisuseEndsTheProgramWithAMessage) {
  EXPECT_EXIT(runtime::GetUnitProperty(0x52000009, kA, 0, -1), testing::ExitedWithCode(255),
              "未载入欲访问窗口组件所在的窗口");
  EXPECT_EXIT(runtime::GetUnitProperty(kMain, 0x16000099, 0, -1), testing::ExitedWithCode(255),
              "指定窗口或窗口组件不存在或尚未载入");
  EXPECT_EXIT(runtime::GetUnitProperty(kMain, kA, 8 + kControlPropertyCount, -1), testing::ExitedWithCode(255),
              "欲访问的窗口组件属性不存在");
  EXPECT_EXIT(runtime::HostNotifyFunction(runtime::notify::kLiveUnitOrError, kMain, 0x16000099),
              testing::ExitedWithCode(255), "指定窗口或窗口组件不存在或尚未载入");
}

}  // namespace
}  // namespace host_test

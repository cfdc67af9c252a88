#include "base/template/template_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/gbk.h"
#include "base/template/unit_record.h"
#include "tests/base/template/template_bytes.h"

namespace runtime {
namespace {

using testing::Bytes;
using testing::MenuRecord;
using testing::Template;
using testing::UnitBuffer;
using testing::UnitFields;
using testing::UnitRecord;
using testing::WindowRecord;

constexpr uint32_t kWindow = 0x52010001;
constexpr uint32_t kOwnUnit = 0x06010000;
constexpr uint32_t kButton = 0x16010002;
constexpr int32_t kHandlers[] = {58, 0, 7110};

std::vector<uint8_t> OneWindow(const std::vector<uint8_t>& record) {
  return Template({kWindow}, {WindowRecord(1, UnitBuffer({kButton}, {record}))});
}

// Every field's round trip is covered with the form compiler; here the reader's own work.
TEST(TemplateReader, ReadsWindowsAndRelocatesHandlers) {
  UnitFields button;
  button.children = {0x16010003, 0, 0x16010004};
  button.bindings = {{0, 7110}, {-3, -1}, {1, 0}};
  button.data = {1, 2, 3};
  std::vector<uint8_t> buffer = UnitBuffer({kOwnUnit, kButton}, {UnitRecord({}), UnitRecord(button)});
  std::vector<uint8_t> data =
      Template({kWindow}, {Bytes().U32(0xABCD).U32(0x19010003).Block({'a'}).Block({'b', 'c'}).U32(2).Block(buffer).Get()});
  EXPECT_EQ(ReadTemplateAsStored(data)->At(0).units.Bytes(), buffer);

  std::optional<WindowTable> table = ReadTemplate(data, kHandlers);
  ASSERT_TRUE(table);
  ASSERT_EQ(table->Size(), 1u);
  const TemplateWindow& w = table->At(0);
  EXPECT_EQ(w.opaque, 0xABCDu);
  EXPECT_EQ(w.moduleId, 0x19010003u);
  EXPECT_EQ(w.firstText, "a");
  EXPECT_EQ(w.secondText, "bc");
  ASSERT_EQ(w.units.Count(), 2u);

  UnitRecordView view(w.units.EntryAt(1)->record);
  ASSERT_TRUE(view.Valid());
  EXPECT_EQ(view.Children(), (std::vector<uint32_t>{0x16010003, 0, 0x16010004}));
  EXPECT_EQ(view.PropertyData().size(), 3u);
  std::vector<EventBinding> bindings = view.Bindings();
  ASSERT_EQ(bindings.size(), 3u);
  // Slots are 1-based; offset 0 is a real handler, -1 is none; event numbers stay.
  EXPECT_EQ(bindings[0].handler, 3);
  EXPECT_EQ(bindings[1].event, -3);
  EXPECT_EQ(bindings[1].handler, 0);
  EXPECT_EQ(bindings[2].handler, 2);
}

TEST(TemplateReader, StoredReadKeepsHandlerOffsets) {
  UnitFields button;
  button.bindings = {{0, 12345}, {1, -1}};
  std::optional<WindowTable> table = ReadTemplateAsStored(OneWindow(UnitRecord(button)));
  ASSERT_TRUE(table);
  std::vector<EventBinding> bindings = UnitRecordView(table->At(0).units.EntryAt(0)->record).Bindings();
  EXPECT_EQ(bindings[0].handler, 12345);
  EXPECT_EQ(bindings[1].handler, -1);
}

TEST(TemplateReader, EmptyDataAndEmptyTablesGiveNoWindows) {
  EXPECT_EQ(ReadTemplate({}, kHandlers)->Size(), 0u);
  EXPECT_EQ(ReadTemplate(Bytes().U32(0).Get(), kHandlers)->Size(), 0u);
  // A negative block length is an empty block; nothing follows it.
  EXPECT_EQ(ReadTemplate(Bytes().I32(-8).Get(), kHandlers)->Size(), 0u);
  // A window whose unit buffer length is negative has an empty list.
  std::optional<WindowTable> table =
      ReadTemplate(Template({kWindow}, {Bytes().U32(0).U32(0).I32(-1).I32(-5).U32(0).I32(-9).Get()}), kHandlers);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->At(0).units.Count(), 0u);
  EXPECT_EQ(table->At(0).firstText, "");
}

TEST(TemplateReader, RejectsInconsistentData) {
  UnitFields plain;
  std::vector<uint8_t> record = UnitRecord(plain);
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
  };
  std::vector<Case> cases;
  cases.push_back({"truncated length word", {1, 0}});
  cases.push_back({"window table past the end", Bytes().U32(16).U32(kWindow).U32(0).Get()});
  {
    std::vector<uint8_t> data = OneWindow(record);
    data.resize(data.size() - 1);
    cases.push_back({"truncated window record", data});
  }
  cases.push_back({"window record missing", Template({kWindow, 0x52010002}, {WindowRecord(1, UnitBuffer({kButton}, {record}))})});
  cases.push_back({"unit count past the buffer", Template({kWindow}, {WindowRecord(2, UnitBuffer({kButton}, {record}))})});
  {
    std::vector<uint8_t> buffer = UnitBuffer({kButton}, {record});
    buffer[4] = 0xF0;  // the record offset
    cases.push_back({"record offset outside the buffer", Template({kWindow}, {WindowRecord(1, buffer)})});
  }
  {
    std::vector<uint8_t> buffer = UnitBuffer({kButton}, {record});
    buffer[8] = static_cast<uint8_t>(record.size() + 1);  // the record's length word
    cases.push_back({"record length past the buffer", Template({kWindow}, {WindowRecord(1, buffer)})});
  }
  {
    std::vector<uint8_t> unterminated = Bytes().U32(0x20001).U32(0).U32(0).U32(0).U32(0).U32(0).Raw({'a', 'b'}).Get();
    cases.push_back({"name without terminator", OneWindow(unterminated)});
  }
  {
    UnitFields f;
    f.children = {kButton};
    std::vector<uint8_t> bad = UnitRecord(f);
    bad[24 + 7 + 1 + 28] = 200;  // child count after "button\0", "\0" and 28 slot bytes
    cases.push_back({"child count past the record", OneWindow(bad)});
  }
  {
    UnitFields f;
    f.pointer = {1, 2};
    std::vector<uint8_t> bad = UnitRecord(f);
    bad[24 + 7 + 1 + 32] = 100;  // pointer data length
    cases.push_back({"pointer data past the record", OneWindow(bad)});
  }
  {
    UnitFields f;
    f.bindings = {{0, 0}};
    std::vector<uint8_t> bad = UnitRecord(f);
    bad[bad.size() - 20 - 8 - 4] = 4;  // binding count
    cases.push_back({"binding count past the record", OneWindow(bad)});
  }
  {
    UnitFields f;
    f.tag = "x";
    std::vector<uint8_t> cut = UnitRecord(f);
    cut.resize(24 + 7 + 1 + 36 + 4 + 1);  // ends inside the tag, before its terminator
    cases.push_back({"tag without terminator", OneWindow(cut)});
  }
  {
    UnitFields f;
    f.bindings = {{0, 4}};
    cases.push_back({"unknown handler offset", OneWindow(UnitRecord(f))});
  }
  cases.push_back({"unknown menu handler offset",
                   Template({kWindow}, {WindowRecord(1, UnitBuffer({0x26010005}, {MenuRecord("Open", 99)}))})});
  {
    std::vector<uint8_t> menu = MenuRecord("Open", 0);
    menu.resize(menu.size() - 16 - 2);  // ends inside the handler
    cases.push_back({"menu item without handler", Template({kWindow}, {WindowRecord(1, UnitBuffer({0x26010005}, {menu}))})});
  }

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(ReadTemplate(c.data, kHandlers));
  }
}

// A tool that lists data names the field where reading stopped and its byte.
TEST(TemplateReader, StoredReadSaysWhereItStopped) {
  std::vector<uint8_t> record = UnitRecord(UnitFields());
  std::vector<uint8_t> one = OneWindow(record);
  std::vector<uint8_t> cut = one;
  cut.resize(cut.size() - 1);
  const struct {
    std::vector<uint8_t> data;
    size_t offset;
    std::string what;
  } cases[] = {
      {{1, 0}, 0, "the table of window ids runs past the end of the data"},
      {Template({kWindow}, {Bytes().U32(7).U32(0).U32(5).Raw({'a', 'b'}).Get()}), 20,
       "window 0x52010001 (1 of 1): its first text runs past the end of the data"},
      {cut, 32, "window 0x52010001 (1 of 1): its unit list runs past the end of the data"},
      {Template({kWindow, 0x52010002}, {WindowRecord(1, UnitBuffer({kButton}, {record}))}), 20 + one.size() - 12,
       "window 0x52010002 (2 of 2): its header runs past the end of the data"},
      {Template({kWindow}, {WindowRecord(2, UnitBuffer({kButton}, {record}))}), 36,
       "window 0x52010001 (1 of 1): its unit list of 2 entries does not hold together"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TemplateReadFailure failure;
    EXPECT_FALSE(ReadTemplateAsStored(c.data, &failure));
    EXPECT_EQ(failure.offset, c.offset);
    EXPECT_EQ(failure.what, c.what);
  }
}

TEST(TemplateReader, RecordEdgesStayReadable) {
  // No pointer data: the tag starts right after the length word.
  UnitFields f;
  f.pointer = {};
  f.tag = "t";
  std::optional<WindowTable> table = ReadTemplate(OneWindow(UnitRecord(f)), kHandlers);
  ASSERT_TRUE(table);
  UnitRecordView view(table->At(0).units.EntryAt(0)->record);
  EXPECT_TRUE(view.PointerData().empty());
  EXPECT_EQ(view.Layout().tag, view.Layout().pointerBlock + 4);
  EXPECT_EQ(view.Tag(), "t");
  // A record ending right after the reserved bytes hands the unit type a null pointer.
  EXPECT_EQ(view.PropertyData().data(), nullptr);
  EXPECT_EQ(view.PropertyData().size(), 0u);

  // A negative pointer data length counts as no data.
  std::vector<uint8_t> negative = UnitRecord(f);
  negative[24 + 7 + 1 + 32] = 0xFF;
  negative[24 + 7 + 1 + 33] = 0xFF;
  negative[24 + 7 + 1 + 34] = 0xFF;
  negative[24 + 7 + 1 + 35] = 0xFF;
  table = ReadTemplate(OneWindow(negative), kHandlers);
  ASSERT_TRUE(table);
  EXPECT_EQ(UnitRecordView(table->At(0).units.EntryAt(0)->record).Tag(), "t");

  // A record that stops inside the reserved bytes also has no property data.
  std::vector<uint8_t> shortRecord = UnitRecord(f);
  shortRecord.resize(shortRecord.size() - 5);
  table = ReadTemplate(OneWindow(shortRecord), kHandlers);
  ASSERT_TRUE(table);
  EXPECT_TRUE(UnitRecordView(table->At(0).units.EntryAt(0)->record).PropertyData().empty());
}

TEST(TemplateReader, RepeatedIdsResolveToTheFirst) {
  UnitFields first;
  first.name = "first";
  UnitFields second;
  second.name = "second";
  std::vector<uint8_t> windowA = WindowRecord(2, UnitBuffer({kButton, kButton}, {UnitRecord(first), UnitRecord(second)}));
  std::vector<uint8_t> windowB = Bytes().U32(99).U32(0).U32(0).U32(0).U32(0).U32(0).Get();
  std::optional<WindowTable> table = ReadTemplate(Template({kWindow, kWindow}, {windowA, windowB}), kHandlers);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->Find(kWindow), &table->At(0));
  EXPECT_EQ(table->Find(0x52000000), nullptr);  // serial 0: invalid
  EXPECT_EQ(table->Find(0x52010009), nullptr);
  EXPECT_FALSE(table->At(0).units.EntryById(0x10000002));  // kind 0: invalid
  EXPECT_FALSE(table->At(0).units.EntryById(0x16010009));
  std::optional<UnitEntry> entry = table->At(0).units.EntryById(kButton);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->index, 0u);
  EXPECT_EQ(UnitRecordView(entry->record).Name(), "first");
}

TEST(TemplateReader, MenuItemsAreRecognisedAndRelocated) {
  std::optional<WindowTable> table = ReadTemplate(
      Template({kWindow}, {WindowRecord(3, UnitBuffer({kOwnUnit, 0x26010005, 0x26010006},
                                                      {UnitRecord({}), MenuRecord("Open", 0), MenuRecord("-", -1)}))}),
      kHandlers);
  ASSERT_TRUE(table);
  const UnitList& units = table->At(0).units;
  EXPECT_FALSE(units.IsMenuItem(0));
  EXPECT_TRUE(units.IsMenuItem(1));
  EXPECT_FALSE(units.IsMenuItem(3));
  MenuItemView item(units.EntryAt(1)->record);
  ASSERT_TRUE(item.Valid());
  EXPECT_EQ(item.Name(), "item");
  EXPECT_EQ(item.Shortcut(), 0x74u);
  EXPECT_EQ(item.Level(), 1u);
  EXPECT_EQ(item.StateBits(), 4u);
  EXPECT_EQ(item.Caption(), "Open");
  EXPECT_EQ(item.Handler(), 2);
  EXPECT_EQ(MenuItemView(units.EntryAt(2)->record).Handler(), 0);
}

TEST(TemplateReaderDeathTest, LoadingBadDataIsARuntimeError) {
  std::vector<uint8_t> data = Bytes().U32(8).U32(kWindow).Get();
  EXPECT_EXIT(LoadTemplate(data, kHandlers), ::testing::ExitedWithCode(255), "载入窗口模板数据段出错!");
}

}  // namespace
}  // namespace runtime

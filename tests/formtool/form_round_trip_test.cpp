#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/gbk.h"
#include "base/template/template_reader.h"
#include "base/template/unit_record.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/template_dump.h"
#include "tools/formtool/template_writer.h"
#include "tools/formtool/unit_catalogue.h"

namespace formtool {
namespace {

using Bytes = std::vector<uint8_t>;

std::variant<Form, std::string> Parse(const char* json, const QDir& dir = QDir(FORMTOOL_SAMPLE_DIR),
                                      const UnitCatalogue& types = UnitCatalogue()) {
  return ParseFormSource(QByteArray(json), dir, types);
}

Bytes Compile(const char* json, const QDir& dir = QDir(FORMTOOL_SAMPLE_DIR),
              const UnitCatalogue& types = UnitCatalogue()) {
  std::variant<Form, std::string> form = Parse(json, dir, types);
  if (auto* error = std::get_if<std::string>(&form)) ADD_FAILURE() << *error;
  return std::holds_alternative<Form>(form) ? WriteTemplate(std::get<Form>(form)) : Bytes();
}

Bytes ToBytes(std::span<const uint8_t> span) { return Bytes(span.begin(), span.end()); }
std::string Gbk(const char* utf8) { return platform::Utf8ToGbk(utf8); }

constexpr const char* kEveryField = R"({"windows": [{
  "id": "0x52010001", "opaque": 4294967295, "module": "0x19010003", "text1": "标题", "text2": "b",
  "units": [
    {"id": "0x06010000", "type": "0x10001", "event_source": "0x16010002", "name": "窗口", "text2": "二",
     "left": -1, "top": 2, "width": 300, "height": -4, "parent": 7, "children": ["0x16010002", 0, 9],
     "pointer_data": "ff ffffff0102", "tag": "标记", "flags": 5, "tab_order": 3,
     "bindings": [{"event": 0, "handler": 0}, {"event": -12, "handler": -1}, {"event": 2, "handler": 7110}],
     "data": [{"hex": "0a0B"}, {"u8": 255}, {"u16": 513}, {"u32": -2}, {"text": "字"}, {"ctext": "字"},
              {"file": "sample_picture.png"}, {"file": "sample_picture.png", "counted": true}]},
    {"menu": true, "id": "0x26010005", "type": 65539, "event_source": 1, "name": "m", "text2": "t",
     "shortcut": "0x74", "level": 2, "state": 6, "caption": "-", "handler": 58},
    {"id": "0x16010002", "type": "0x20001"}
  ]}]})";

TEST(FormRoundTrip, EveryFieldComesBack) {
  Bytes data = Compile(kEveryField);
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(data);
  ASSERT_TRUE(table);
  ASSERT_EQ(table->Size(), 1u);
  const runtime::TemplateWindow& window = table->At(0);
  EXPECT_EQ(window.id, 0x52010001u);
  EXPECT_EQ(window.opaque, 0xFFFFFFFFu);
  EXPECT_EQ(window.moduleId, 0x19010003u);
  EXPECT_EQ(window.firstText, Gbk("标题"));
  EXPECT_EQ(window.secondText, "b");
  ASSERT_EQ(window.units.Count(), 3u);

  runtime::UnitRecordView unit(window.units.EntryAt(0)->record);
  ASSERT_TRUE(unit.Valid());
  EXPECT_EQ(window.units.IdAt(0), 0x06010000u);
  EXPECT_EQ(unit.Type(), 0x10001u);
  EXPECT_EQ(unit.EventSource(), 0x16010002u);
  EXPECT_EQ(unit.Name(), Gbk("窗口"));
  EXPECT_EQ(unit.SecondText(), Gbk("二"));
  EXPECT_EQ(unit.LiveObjectWord(), 0u);
  EXPECT_EQ(unit.CursorWord(), 0u);
  EXPECT_EQ(unit.Rect().left, -1);
  EXPECT_EQ(unit.Rect().top, 2);
  EXPECT_EQ(unit.Rect().width, 300);
  EXPECT_EQ(unit.Rect().height, -4);
  EXPECT_EQ(unit.Parent(), 7u);
  EXPECT_EQ(unit.Children(), (std::vector<uint32_t>{0x16010002, 0, 9}));
  EXPECT_EQ(ToBytes(unit.PointerData()), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 2}));
  EXPECT_EQ(unit.Tag(), Gbk("标记"));
  EXPECT_EQ(unit.StateFlags(), 5u);
  EXPECT_EQ(unit.TabOrder(), 3u);
  std::vector<runtime::EventBinding> bindings = unit.Bindings();
  ASSERT_EQ(bindings.size(), 3u);
  EXPECT_EQ(bindings[0].handler, 0);
  EXPECT_EQ(bindings[1].event, -12);
  EXPECT_EQ(bindings[1].handler, -1);
  EXPECT_EQ(bindings[2].event, 2);
  EXPECT_EQ(bindings[2].handler, 7110);

  QFile picture(QDir(FORMTOOL_SAMPLE_DIR).filePath("sample_picture.png"));
  ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
  QByteArray png = picture.readAll();
  Bytes expected = {0x0a, 0x0b, 0xff, 0x01, 0x02, 0xfe, 0xff, 0xff, 0xff};
  std::string word = Gbk("字");
  expected.insert(expected.end(), word.begin(), word.end());
  expected.push_back(0);
  expected.insert(expected.end(), {static_cast<uint8_t>(word.size()), 0, 0, 0});
  expected.insert(expected.end(), word.begin(), word.end());
  expected.insert(expected.end(), png.begin(), png.end());
  expected.insert(expected.end(), {static_cast<uint8_t>(png.size()), 0, 0, 0});
  expected.insert(expected.end(), png.begin(), png.end());
  EXPECT_EQ(ToBytes(unit.PropertyData()), expected);

  ASSERT_TRUE(window.units.IsMenuItem(1));
  runtime::MenuItemView item(window.units.EntryAt(1)->record);
  ASSERT_TRUE(item.Valid());
  EXPECT_EQ(item.Type(), 0x10003u);
  EXPECT_EQ(item.EventSource(), 1u);
  EXPECT_EQ(item.Name(), "m");
  EXPECT_EQ(item.SecondText(), "t");
  EXPECT_EQ(item.Shortcut(), 0x74u);
  EXPECT_EQ(item.Level(), 2u);
  EXPECT_EQ(item.StateBits(), 6u);
  EXPECT_EQ(item.Caption(), "-");
  EXPECT_EQ(item.Handler(), 58);

  // A unit given only its id and type: everything else empty, no property data.
  runtime::UnitRecordView bare(window.units.EntryAt(2)->record);
  ASSERT_TRUE(bare.Valid());
  EXPECT_TRUE(bare.PointerData().empty());
  EXPECT_TRUE(bare.Bindings().empty());
  EXPECT_EQ(bare.PropertyData().data(), nullptr);
}

TEST(FormRoundTrip, DumpedJsonCompilesToTheSameBytes) {
  QFile source(QDir(FORMTOOL_SAMPLE_DIR).filePath("sample_form.json"));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  // The sample names its unit types and properties.
  Bytes data = Compile(source.readAll().constData(), QDir(FORMTOOL_SAMPLE_DIR), ProgramUnitTypes());
  Bytes every = Compile(kEveryField);
  for (const Bytes* original : {&data, &every}) {
    std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(*original);
    ASSERT_TRUE(table);
    std::string json = DumpJson(*table, original->size());
    EXPECT_EQ(Compile(json.c_str()), *original);
  }
}

TEST(FormSource, NumbersInTextAreDecimalOrHex) {
  Bytes data = Compile(R"({"windows": [{"id": 1, "units": [{"id": 2, "type": 3,
      "left": "10", "top": "0x10", "width": "-0x10", "height": "0", "flags": "+7"}]}]})");
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(data);
  ASSERT_TRUE(table);
  runtime::UnitRecordView unit(table->At(0).units.EntryAt(0)->record);
  EXPECT_EQ(unit.Rect().left, 10);
  EXPECT_EQ(unit.Rect().top, 16);
  EXPECT_EQ(unit.Rect().width, -16);
  EXPECT_EQ(unit.Rect().height, 0);
  EXPECT_EQ(unit.StateFlags(), 7u);
}

TEST(FormSource, PiecesTakeTheirWholeRange) {
  Bytes data = Compile(R"({"windows": [{"id": 1, "units": [{"id": 2, "type": 3,
      "data": [{"u8": 0}, {"u8": 255}, {"u16": 65535}, {"u32": "0xFFFFFFFF"}, {"u32": -2147483648}]}]}]})");
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(data);
  ASSERT_TRUE(table);
  runtime::UnitRecordView unit(table->At(0).units.EntryAt(0)->record);
  EXPECT_EQ(ToBytes(unit.PropertyData()), (Bytes{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80}));
}

TEST(FormSource, MistakesAreReportedWithTheirPlace) {
  struct Case {
    const char* json;
    const char* message;
  };
  const Case cases[] = {
      {"[1]", "expected an object"},
      {"{\"windows\": [{\"id\": 1, \"unit\": []}]}", "windows[0]: unknown key \"unit\""},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2}]}]}", "units[0]: a unit needs a type"},
      {"{\"windows\": [{\"id\": 4294967296}]}", "windows[0].id: expected a 32-bit integer"},
      {"{\"windows\": [{\"id\": \"0x1g\"}]}", "expected a 32-bit integer"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": \"zz\"}]}]}", "expected hex digits"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"name\": \"a\\u0000b\"}]}]}", "zero character"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"tag\": \"\\ud83d\\ude00\"}]}]}",
       "units[0].tag: text holds a character that GBK cannot hold"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"bindings\": [{\"event\": 0}]}]}]}",
       "bindings[0]: a binding needs a handler: its name or its offset"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"file\": \"missing.png\"}]}]}]}",
       "data[0].file: cannot read"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"file\": \"/dev/zero\"}]}]}]}",
       "data[0].file: not a file: /dev/zero"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"menu\": true, \"id\": 2, \"left\": 1}]}]}",
       "units[0]: unknown key \"left\""},
      // Values are never cut to fit their piece.
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"u8\": 1}, {\"u16\": 70000}]}]}]}",
       "windows[0].units[0].data[1]: 70000 does not fit in u16"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"u8\": 300}]}]}]}",
       "data[0]: 300 does not fit in u8"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"u8\": -1}]}]}]}",
       "data[0]: -1 does not fit in u8"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"u16\": \"0x10000\"}]}]}]}",
       "data[0]: 65536 does not fit in u16"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"u32\": 4294967296}]}]}]}",
       "data[0]: 4294967296 does not fit in u32"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"u8\": 1.5}]}]}]}",
       "data[0].u8: expected an integer"},
      // The reader tells menu items from units by their ids.
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"menu\": true, \"id\": \"0x16010005\"}]}]}",
       "units[0].id: a menu item needs an id of class 2 and kind 6"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": \"0x26010005\", \"type\": 3}]}]}",
       "units[0].id: an id of class 2 and kind 6 names a menu item"},
      // A form that contradicts itself: ids name one window, one unit of a window, and a unit
      // sits in another.
      {"{\"windows\": [{\"id\": 1}, {\"id\": 2}, {\"id\": \"0x1\"}]}",
       "windows[2].id: 0x00000001 is also the id of windows[0]"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3}, {\"id\": 4, \"type\": 3}, "
       "{\"id\": 2, \"type\": 5}]}]}",
       "windows[0].units[2].id: 0x00000002 is also the id of units[0]"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"menu\": true, \"id\": \"0x26010005\"}, "
       "{\"menu\": true, \"id\": \"0x26010005\"}]}]}",
       "units[1].id: 0x26010005 is also the id of units[0]"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"parent\": 2}]}]}",
       "units[0].parent: a unit cannot be its own parent"},
      // What a general JSON reader settles quietly is refused, with the line and byte.
      {"{\"windows\": [], \"windows\": []}", "windows: the key \"windows\" is given twice (line 1, byte 16)"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3,\n \"tag\": \"a\", \"tag\": \"b\"}]}]}",
       "windows[0].units[0].tag: the key \"tag\" is given twice (line 2"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"tag\": \"\\ud800x\"}]}]}",
       "not valid JSON: syntax error while parsing value - invalid string: surrogate U+D800..U+DBFF must be "
       "followed by U+DC00..U+DFFF"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"tag\": \"\\udc00\"}]}]}", "surrogate"},
      {"{\"windows\": [{\"id\": 1, \"text1\": \"\xff\"}]}", "not valid JSON"},
      {"{\"windows\": []} x", "not valid JSON"},
      // A number in a string is decimal or hex, never octal, and nothing else.
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"left\": \"010\"}]}]}",
       "units[0].left: \"010\" has a leading zero"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"left\": \"-07\"}]}]}", "leading zero"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"left\": \" 5\"}]}]}",
       "units[0].left: expected a 32-bit integer"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"left\": \"0b1\"}]}]}", "left: "},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"left\": \"0x\"}]}]}",
       "left: expected a 32-bit integer"},
      // A logical is true or false.
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"menu\": \"yes\", \"id\": \"0x26010005\"}]}]}",
       "units[0].menu: expected true or false"},
      {"{\"windows\": [{\"id\": 1, \"units\": [{\"id\": 2, \"type\": 3, \"data\": [{\"file\": "
       "\"sample_picture.png\", \"counted\": 1}]}]}]}",
       "data[0].counted: expected true or false"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json);
    std::variant<Form, std::string> result = Parse(c.json);
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_NE(std::get<std::string>(result).find(c.message), std::string::npos) << std::get<std::string>(result);
  }
}

}  // namespace
}  // namespace formtool

// Forms that name unit types and properties: compiled, listed and written back from template data.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "base/template/accessible_names.h"
#include "base/template/template_reader.h"
#include "base/template/unit_record.h"
#include "tools/formtool/commands.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/property_values.h"
#include "tools/formtool/template_dump.h"
#include "tools/formtool/template_writer.h"
#include "contract/unit_type_ids.h"
#include "platform/gbk.h"

namespace formtool {
namespace {

using Bytes = std::vector<uint8_t>;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

std::variant<Form, std::string> Parse(const QByteArray& json, const QDir& dir = QDir(FORMTOOL_SAMPLE_DIR)) {
  return ParseFormSource(json, dir, ProgramUnitTypes());
}

Bytes CompileForm(const QByteArray& json, const QDir& dir = QDir(FORMTOOL_SAMPLE_DIR)) {
  std::variant<Form, std::string> form = Parse(json, dir);
  if (auto* error = std::get_if<std::string>(&form)) ADD_FAILURE() << *error;
  return std::holds_alternative<Form>(form) ? WriteTemplate(std::get<Form>(form)) : Bytes();
}

// The unit at `index` of the first window of a description or listing.
QJsonObject UnitAt(const QJsonDocument& document, qsizetype index) {
  QJsonArray windows = document.object()["windows"].toArray();
  return windows.isEmpty() ? QJsonObject() : windows[0].toObject()["units"].toArray()[index].toObject();
}

// A form of one window holding one unit with these keys besides its id.
QByteArray OneUnit(const QJsonObject& unit) {
  QJsonObject u = unit;
  u["id"] = "0x16010002";
  QJsonObject window{{"id", "0x52010001"}, {"units", QJsonArray{u}}};
  return QJsonDocument(QJsonObject{{"windows", QJsonArray{window}}}).toJson();
}

Bytes UnitData(const Bytes& templateData) {
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(templateData);
  if (!table) return {};
  std::span<const uint8_t> data = runtime::UnitRecordView(table->At(0).units.EntryAt(0)->record).PropertyData();
  return Bytes(data.begin(), data.end());
}

// Every type with a property table, with its name.
std::vector<std::pair<std::string, const units::PropertyTableView*>> TabledTypes() {
  std::vector<std::pair<std::string, const units::PropertyTableView*>> types;
  for (uint32_t id : {units::type_id::kWindow, units::type_id::kEditBox, units::type_id::kPicBox,
                      units::type_id::kGroupBox, units::type_id::kHyperLinker, units::type_id::kSuperBtn,
                      units::type_id::kTransLabel, units::type_id::kWebBrowser}) {
    if (const units::PropertyTableView* table = ProgramUnitTypes().TableOf(id))
      types.push_back({ProgramUnitTypes().NameOf(id), table});
  }
  return types;
}

TEST(NamedForm, TypesAreKnownByTheirEnglishNames) {
  const UnitCatalogue& types = ProgramUnitTypes();
  EXPECT_EQ(types.IdOf("window"), units::type_id::kWindow);
  EXPECT_EQ(types.IdOf("EditBox"), units::type_id::kEditBox);
  EXPECT_EQ(types.IdOf("GroupBox"), units::type_id::kGroupBox);
  EXPECT_EQ(types.IdOf("SuperBtn"), units::type_id::kSuperBtn);
  EXPECT_EQ(types.IdOf("TransLabel"), units::type_id::kTransLabel);
  EXPECT_EQ(types.IdOf("VorelWebBrowser"), units::type_id::kWebBrowser);
  EXPECT_EQ(types.IdOf("groupbox"), std::nullopt);
  EXPECT_EQ(types.NameOf(units::type_id::kHyperLinker), "HyperLinker");
  EXPECT_NE(types.TableOf(units::type_id::kGroupBox), nullptr);
}

TEST(NamedForm, PropertiesByNameWriteTheStoredBytes) {
  // The group box's stored layout: version, alignment, text colour, back colour, font, title.
  Bytes raw = CompileForm(OneUnit({{"type", "0x10009"},
                               {"data", QJsonArray{QJsonObject{{"u32", 1}}, QJsonObject{{"u32", 2}},
                                                   QJsonObject{{"u32", "0x00112233"}}, QJsonObject{{"u32", "0xFF000000"}},
                                                   QJsonObject{{"u32", 0}}, QJsonObject{{"ctext", "作者说明"}}}}}));
  Bytes named = CompileForm(OneUnit({{"type", "GroupBox"},
                                 {"properties", QJsonObject{{"Title", "作者说明"},
                                                            {"Alignment", 2},
                                                            {"TextColor", "0x00112233"},
                                                            {"Font", QJsonValue::Null}}}}));
  EXPECT_EQ(named, raw);
  // A property not named keeps its default; a colour may be a plain number.
  Bytes defaults = CompileForm(OneUnit({{"type", "GroupBox"}, {"properties", QJsonObject{{"BackColor", 4278190080.0}}}}));
  std::unique_ptr<units::PropertyObject> fresh = ProgramUnitTypes().TableOf(units::type_id::kGroupBox)->NewProperties();
  Bytes expected;
  ASSERT_TRUE(units::WritePropertyData(*fresh, expected));
  EXPECT_EQ(UnitData(defaults), expected);
}

// Every stored property of every type with a table, given a value of its kind, reads back as
// given: the name reaches its own field and the value keeps its form.
// The transparent label's effect is its TextEffect, in forms, listings and messages.
TEST(NamedForm, TheTransparentLabelsEffectIsTextEffect) {
  Bytes data = UnitData(CompileForm(OneUnit({{"type", "TransLabel"}, {"properties", QJsonObject{{"TextEffect", 2}}}})));
  auto values = ReadProperties(*ProgramUnitTypes().TableOf(units::type_id::kTransLabel), data, ByteCount);
  ASSERT_TRUE(values);
  auto effect = std::find_if(values->begin(), values->end(),
                             [](const NamedValue& v) { return std::string_view(v.name) == "TextEffect"; });
  ASSERT_NE(effect, values->end());
  EXPECT_EQ(effect->value.toInt(), 2);
  std::variant<Form, std::string> refused =
      Parse(OneUnit({{"type", "TransLabel"}, {"properties", QJsonObject{{"Effect", 2}}}}));
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_NE(std::get<std::string>(refused).find("properties.Effect: no such property of TransLabel; properties are Text, "
                                                "TextEffect,"),
            std::string::npos)
      << std::get<std::string>(refused);
}

TEST(NamedForm, EveryStoredPropertyReadsBackAsGiven) {
  const QJsonObject kFont{{"height", -12}, {"width", 1},         {"escapement", 2},    {"orientation", 3},
                          {"weight", 700}, {"italic", 4},        {"underline", 5},     {"strikeOut", 6},
                          {"charSet", 134}, {"outPrecision", 7}, {"clipPrecision", 8}, {"quality", 9},
                          {"pitchAndFamily", 10}, {"faceName", "宋体"}};
  const QByteArray picture = ReadAll(FORMTOOL_SAMPLE_DIR "/sample_picture.png");
  for (const auto& [name, table] : TabledTypes()) {
    SCOPED_TRACE(name);
    QJsonObject given;
    for (size_t i = 0; i < table->Count(); ++i) {
      const units::PropertyInfo info = table->Info(i);
      if (!info.stored) continue;
      QJsonValue v;
      switch (info.kind) {
        case units::PropertyKind::kWord:
          v = info.type == units::property_type::kLogical ? QJsonValue(true)
                                                           : QJsonValue(std::clamp(7, info.low, info.high));
          break;
        case units::PropertyKind::kColor: v = "0x00123456"; break;
        case units::PropertyKind::kCharacter: v = "*"; break;
        case units::PropertyKind::kText: v = "文字\r\n2"; break;
        case units::PropertyKind::kBytes:
          v = info.type == units::property_type::kFont ? QJsonValue(kFont)
                                                        : QJsonValue(QJsonObject{{"file", "sample_picture.png"}});
          break;
        case units::PropertyKind::kLive: continue;
      }
      given[info.name] = v;
    }
    Bytes data = UnitData(CompileForm(OneUnit({{"type", QString::fromStdString(name)}, {"properties", given}})));
    auto pictureBytes = [&](const units::PropertyInfo&, std::span<const uint8_t> bytes) -> QJsonValue {
      EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()), picture);
      return QJsonObject{{"file", "sample_picture.png"}};
    };
    std::optional<std::vector<NamedValue>> values = ReadProperties(*table, data, pictureBytes);
    ASSERT_TRUE(values);
    for (const NamedValue& v : *values) EXPECT_EQ(v.value, given[v.name]) << v.name;
  }
}

TEST(NamedForm, EachMistakeNamesItsPlace) {
  struct Case {
    QJsonObject unit;
    const char* message;
  };
  const Case cases[] = {
      {{{"type", "GroupBx"}}, "windows[0].units[0].type: no unit type \"GroupBx\"; types are window, EditBox"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Titel", "a"}}}},
       "windows[0].units[0].properties.Titel: no such property of GroupBox; properties are Title, Alignment"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Title", 5}}}}, "properties.Title: expected a text"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Title", "😀"}}}},
       "properties.Title: text holds a character that GBK cannot hold"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Title", QString("a") + QChar(0) + "b"}}}},
       "properties.Title: a text cannot hold a zero character"},
      // A choice's value is its number or its name, letter for letter.
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Alignment", "left"}}}},
       "properties.Alignment: no value \"left\" of Alignment; values are Left (0), Centred (1), Right (2)"},
      {{{"type", "window"}, {"properties", QJsonObject{{"HelpTopic", "Left"}}}},
       "properties.HelpTopic: expected an integer"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Alignment", true}}}},
       "properties.Alignment: expected an integer"},
      // Out of range is refused, never brought into range.
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Alignment", 3}}}},
       "properties.Alignment: 3 is out of range: 0 to 2"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Alignment", -1}}}}, "-1 is out of range: 0 to 2"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"TextColor", "red"}}}},
       "properties.TextColor: expected a colour"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"TextColor", 4294967296.0}}}},
       "properties.TextColor: expected a colour"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Font", QJsonObject{{"bold", 1}}}}}},
       "properties.Font.bold: no such field of a font; fields are height, width"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Font", QJsonObject{{"italic", 256}}}}}},
       "properties.Font.italic: 256 is out of range: 0 to 255"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Font", QJsonObject{{"faceName", QString(16, QChar(0x5b8b))}}}}}},
       "properties.Font.faceName: a face name holds at most 31 bytes"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{{"Font", "宋体"}}}}, "properties.Font: expected an object"},
      {{{"type", "GroupBox"}, {"properties", QJsonArray{}}}, "units[0].properties: expected an object"},
      {{{"type", "GroupBox"}, {"properties", QJsonObject{}}, {"data", "01000000"}},
       "units[0]: give either data or properties"},
      {{{"type", 3}, {"properties", QJsonObject{}}}, "units[0].properties: type 0x00000003 has no named properties"},
  };
  for (const Case& c : cases) {
    const QByteArray json = OneUnit(c.unit);
    SCOPED_TRACE(json.toStdString());
    std::variant<Form, std::string> result = Parse(json);
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_NE(std::get<std::string>(result).find(c.message), std::string::npos) << std::get<std::string>(result);
  }
  // Only what a form stores can be named in it, and a picture is a file.
  for (const auto& [name, table] : TabledTypes()) {
    for (size_t i = 0; i < table->Count(); ++i) {
      const units::PropertyInfo info = table->Info(i);
      QJsonValue value;
      std::string message;
      if (!info.stored) {
        value = 0;
        message = "properties." + std::string(info.name) + ": a property of " + name + " set while the program runs";
      } else if (info.kind == units::PropertyKind::kBytes && info.type != units::property_type::kFont) {
        value = QJsonObject{{"file", "missing.png"}};
        message = "properties." + std::string(info.name) + ".file: cannot read";
      } else if (info.kind == units::PropertyKind::kCharacter) {
        value = "ab";
        message = "properties." + std::string(info.name) + ": expected one character";
      } else {
        continue;
      }
      std::variant<Form, std::string> result =
          Parse(OneUnit({{"type", QString::fromStdString(name)}, {"properties", QJsonObject{{info.name, value}}}}));
      ASSERT_TRUE(std::holds_alternative<std::string>(result)) << name << "." << info.name;
      EXPECT_NE(std::get<std::string>(result).find(message), std::string::npos) << std::get<std::string>(result);
    }
  }
}

TEST(NamedForm, ListingsShowPropertiesAndStillCompileBack) {
  const QByteArray source = ReadAll(FORMTOOL_SAMPLE_DIR "/sample_form.json");
  Bytes data = CompileForm(source);
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(data);
  ASSERT_TRUE(table);
  std::string json = DumpJson(*table, data.size(), ProgramUnitTypes());
  EXPECT_EQ(CompileForm(QByteArray::fromStdString(json)), data);
  QJsonObject groupBox = UnitAt(QJsonDocument::fromJson(QByteArray::fromStdString(json)), 1);
  QJsonObject properties = groupBox["properties"].toObject();
  // Scripts read the type's number; its name stands beside it.
  EXPECT_EQ(groupBox["type"].toInteger(), units::type_id::kGroupBox);
  EXPECT_EQ(groupBox["type_name"].toString(), QString("GroupBox"));
  EXPECT_EQ(properties["Title"].toString(), QString("作者说明"));
  EXPECT_EQ(properties["BackColor"].toString(), QString("0x00FCF6F1"));
  EXPECT_TRUE(properties["Font"].isNull());

  // A name beside the number that names another type is an edit gone wrong.
  QByteArray edited = QByteArray::fromStdString(json);
  const qsizetype named = edited.indexOf("\"type_name\": \"GroupBox\"");
  ASSERT_GE(named, 0);
  edited.replace(named, 23, "\"type_name\": \"EditBox\" ");
  std::variant<Form, std::string> refused = Parse(edited);
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_NE(std::get<std::string>(refused).find("windows[0].units[1].type_name: names another type than GroupBox"),
            std::string::npos)
      << std::get<std::string>(refused);

  std::string text = DumpText(*table, data.size(), ProgramUnitTypes());
  EXPECT_NE(text.find("type 0x00010009 GroupBox"), std::string::npos);
  EXPECT_NE(text.find("      Title \"作者说明\"\n"), std::string::npos);
  EXPECT_NE(text.find("      Alignment 0\n"), std::string::npos);
}

class Decompiling : public ::testing::Test {
 protected:
  // Compiles `form`, decompiles the result, compiles that again; answers both templates.
  std::pair<QByteArray, QByteArray> RoundTrip(const char* form) {
    const QString first = dir_.filePath("first.tpl");
    const QString formJson = dir_.filePath("again/form.json");
    const QString second = dir_.filePath("second.tpl");
    QDir(dir_.path()).mkdir("again");
    EXPECT_EQ(formtool::Compile({form, "-o", first.toStdString()}), 0);
    EXPECT_EQ(Decompile({first.toStdString(), "-o", formJson.toStdString()}), 0);
    EXPECT_EQ(formtool::Compile({formJson.toStdString(), "-o", second.toStdString()}), 0);
    decompiled_ = ReadAll(formJson);
    return {ReadAll(first), ReadAll(second)};
  }

  QTemporaryDir dir_;
  QByteArray decompiled_;
};

TEST_F(Decompiling, TheSampleFormComesBackByteForByte) {
  auto [original, again] = RoundTrip(FORMTOOL_SAMPLE_DIR "/sample_form.json");
  ASSERT_FALSE(original.isEmpty());
  EXPECT_EQ(again, original);
  QJsonObject groupBox = UnitAt(QJsonDocument::fromJson(decompiled_), 1);
  EXPECT_EQ(groupBox["type"].toString(), QString("GroupBox"));
  EXPECT_EQ(groupBox["name"].toString(), QString("分组框1"));
  EXPECT_EQ(groupBox["properties"].toObject()["Title"].toString(), QString("作者说明"));
  EXPECT_FALSE(groupBox.contains("data"));
}

TEST_F(Decompiling, TheToolboxFormsComeBackByteForByte) {
  auto [original, again] = RoundTrip(TOOLBOX_FORMS);
  ASSERT_FALSE(original.isEmpty());
  EXPECT_EQ(again, original);
}

// A menu item's handler 0 is a handler like any other; only -1 means none.
TEST_F(Decompiling, AMenuItemKeepsHandlerZero) {
  const QString form = dir_.filePath("menu.json");
  QFile file(form);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"windows": [{"id": "0x52010001", "units": [
      {"id": "0x06010001", "type": "window"},
      {"menu": true, "id": "0x26010005", "caption": "a", "handler": 0},
      {"menu": true, "id": "0x26010006", "caption": "b"}]}]})");
  file.close();
  auto [original, again] = RoundTrip(form.toUtf8().constData());
  EXPECT_EQ(again, original);
  const QJsonDocument document = QJsonDocument::fromJson(decompiled_);
  EXPECT_EQ(UnitAt(document, 1)["handler"].toInt(-1), 0);
  EXPECT_FALSE(UnitAt(document, 2).contains("handler"));
}

// Data a table would not write again as it is keeps its bytes: here a group box's data with a
// byte after its last field, and one from a version the table does not know.
TEST_F(Decompiling, DataTheTableWouldChangeStaysRaw) {
  const QString form = dir_.filePath("odd.json");
  QFile file(form);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"windows": [{"id": "0x52010001", "units": [
      {"id": "0x16010002", "type": "GroupBox", "data": "01000000 00000000 00000000 00000000 00000000 00000000 ff"},
      {"id": "0x16010003", "type": "GroupBox", "data": "09000000"},
      {"id": "0x16010004", "type": "GroupBox"}]}]})");
  file.close();
  auto [original, again] = RoundTrip(form.toUtf8().constData());
  EXPECT_EQ(again, original);
  const QJsonDocument document = QJsonDocument::fromJson(decompiled_);
  EXPECT_EQ(UnitAt(document, 0)["data"].toString(), QString("01000000") + QString("00000000").repeated(5) + "ff");
  EXPECT_EQ(UnitAt(document, 1)["data"].toString(), QString("09000000"));
  EXPECT_FALSE(UnitAt(document, 2).contains("data"));
  EXPECT_FALSE(UnitAt(document, 2).contains("properties"));
}

// A name that is no GBK text has no form in a description: the command says the description does
// not give the template back instead of reporting success.
TEST_F(Decompiling, SaysWhenTheFormWouldNotGiveTheTemplateBack) {
  Bytes data = CompileForm(OneUnit({{"type", "GroupBox"}, {"name", "xyz"}}));
  auto at = std::search(data.begin(), data.end(), std::begin("xyz"), std::end("xyz"));
  ASSERT_NE(at, data.end());
  at[2] = 0x81;  // a lead byte without its trail byte
  QFile tpl(dir_.filePath("odd.tpl"));
  ASSERT_TRUE(tpl.open(QIODevice::WriteOnly));
  tpl.write(reinterpret_cast<const char*>(data.data()), static_cast<qint64>(data.size()));
  tpl.close();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Decompile({tpl.fileName().toStdString(), "-o", dir_.filePath("odd.json").toStdString()}), 1);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("odd.json does not give back"), std::string::npos) << err;
  EXPECT_NE(err.find("units[0].name: text holds a character that GBK cannot hold"), std::string::npos) << err;
}

TEST_F(Decompiling, ReportsBadArgumentsAndData) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Decompile({}), 2);
  EXPECT_EQ(Decompile({"a.tpl"}), 2);
  EXPECT_EQ(Decompile({dir_.filePath("absent.tpl").toStdString(), "-o", dir_.filePath("f.json").toStdString()}), 1);
  QFile bad(dir_.filePath("bad.tpl"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("\x01\x00", 2);
  bad.close();
  EXPECT_EQ(Decompile({bad.fileName().toStdString(), "-o", dir_.filePath("f.json").toStdString()}), 1);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("usage: formtool decompile TEMPLATE -o FORM.json"), std::string::npos);
  EXPECT_NE(err.find("载入窗口模板数据段出错!"), std::string::npos);
  EXPECT_FALSE(QFile::exists(dir_.filePath("f.json")));
}

}  // namespace
}  // namespace formtool

namespace formtool {
namespace {

// What assistive technology reads goes beside the template, never into it.
TEST(NamedForm, AccessibleNamesGoIntoTheirOwnTableAndLeaveTheTemplateAsItWas) {
  const QJsonObject plain{{"type", "EditBox"}, {"properties", QJsonObject{{"InputMode", 7}}}};
  QJsonObject named = plain;
  named["accessible_name"] = "竞技场 悔梦石 20000积分 市场价格";
  named["accessible_description"] = "输入市场价格";
  named["reading_order"] = 2;
  EXPECT_EQ(CompileForm(OneUnit(named)), CompileForm(OneUnit(plain)));
  std::variant<Form, std::string> form = Parse(OneUnit(named));
  ASSERT_TRUE(std::holds_alternative<Form>(form));
  std::optional<std::vector<runtime::AccessibleEntry>> table =
      runtime::ReadAccessibleNames(AccessibleNames(std::get<Form>(form)));
  ASSERT_TRUE(table);
  ASSERT_EQ(table->size(), 1u);
  EXPECT_EQ((*table)[0].windowId, 0x52010001u);
  EXPECT_EQ((*table)[0].unitId, 0x16010002u);
  EXPECT_EQ((*table)[0].readingOrder, 2);
  EXPECT_EQ(QString::fromStdString(platform::GbkToUtf8((*table)[0].name)), QStringLiteral("竞技场 悔梦石 20000积分 市场价格"));
  // A unit that gives none is not in the table.
  std::variant<Form, std::string> unnamed = Parse(OneUnit(plain));
  ASSERT_TRUE(std::holds_alternative<Form>(unnamed));
  EXPECT_TRUE(runtime::ReadAccessibleNames(AccessibleNames(std::get<Form>(unnamed)))->empty());
  // Refused with their place: a reading order below 1, a name GBK cannot hold.
  QJsonObject negative = plain;
  negative["reading_order"] = -1;
  std::variant<Form, std::string> refused = Parse(OneUnit(negative));
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_NE(std::get<std::string>(refused).find("windows[0].units[0].reading_order"), std::string::npos);
  QJsonObject emoji = plain;
  emoji["accessible_name"] = QString::fromUtf8("\xF0\x9F\x98\x80");
  refused = Parse(OneUnit(emoji));
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_NE(std::get<std::string>(refused).find("accessible_name"), std::string::npos);
}

}  // namespace
}  // namespace formtool

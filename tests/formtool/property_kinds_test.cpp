// The value forms of the property kinds no converted unit type may have yet — logicals,
// characters, pictures and sounds, run-time properties, a property added in a later version —
// through a unit type made for the test.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "base/template/template_reader.h"
#include "tools/formtool/form_decompiler.h"
#include "tools/formtool/form_source.h"
#include "tools/formtool/template_writer.h"
#include "contract/property_table.h"

namespace formtool {
namespace {

using Bytes = std::vector<uint8_t>;
using namespace units::property_type;

struct SampleState {
  int32_t shown;
  int32_t count;
  uint16_t mark;
  std::vector<uint8_t> picture;
  std::vector<uint8_t> sound;
};
struct SampleUnit {};

constexpr units::PropertyRow<SampleState, SampleUnit> kRows[] = {
    {.name = "Shown", .type = kLogical, .word = &SampleState::shown, .stored = 0, .initial = 1, .low = 0, .high = 1},
    {.name = "Count", .type = kInteger, .word = &SampleState::count, .stored = 1, .low = -5, .high = 100},
    {.name = "Mark", .type = kText, .char16 = &SampleState::mark, .stored = 2},
    {.name = "Caret", .type = kInteger,
     .get = [](SampleUnit&, units::PropertyValue&) { return false; },
     .set = [](SampleUnit&, const units::PropertyValue&) { return 0; }},
    {.name = "Sound", .type = kSound, .bytes = &SampleState::sound, .stored = 4},
    {.name = "Picture", .type = kPicture, .bytes = &SampleState::picture, .stored = 3, .since = 2},
};
constexpr units::PropertyTable<SampleState, SampleUnit, 6> kTable{kRows, 2};
const units::TableView<kTable> kView;
constexpr uint32_t kSampleType = 0x00090001;

const UnitCatalogue& Types() {
  static const UnitCatalogue types({{"Sample", kSampleType, &kView}});
  return types;
}

QByteArray OneSample(const QJsonObject& unit) {
  QJsonObject u = unit;
  u["id"] = "0x16010002";
  u["type"] = "Sample";
  QJsonObject window{{"id", "0x52010001"}, {"units", QJsonArray{u}}};
  return QJsonDocument(QJsonObject{{"windows", QJsonArray{window}}}).toJson();
}

std::variant<Form, std::string> Parse(const QByteArray& json, const QDir& dir = QDir(FORMTOOL_SAMPLE_DIR)) {
  return ParseFormSource(json, dir, Types());
}

Bytes CompileForm(const QByteArray& json, const QDir& dir = QDir(FORMTOOL_SAMPLE_DIR)) {
  std::variant<Form, std::string> form = Parse(json, dir);
  if (auto* error = std::get_if<std::string>(&form)) ADD_FAILURE() << *error;
  return std::holds_alternative<Form>(form) ? WriteTemplate(std::get<Form>(form)) : Bytes();
}

// Decompiles `data` into `dir` as form.json with its files, and compiles that again.
Bytes DecompileAndCompile(const Bytes& data, const QTemporaryDir& dir, QJsonObject& unit) {
  std::optional<runtime::WindowTable> windows = runtime::ReadTemplateAsStored(data);
  if (!windows) return {};
  DecompiledForm form = DecompileTemplate(*windows, Types(), "form");
  for (const auto& [name, bytes] : form.files) {
    QFile file(dir.filePath(QString::fromStdString(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  const QByteArray json = QByteArray::fromStdString(form.json);
  unit = QJsonDocument::fromJson(json).object()["windows"].toArray()[0].toObject()["units"].toArray()[0].toObject();
  return CompileForm(json, QDir(dir.path()));
}

TEST(PropertyKinds, EveryFormComesBackThroughDecompiling) {
  Bytes original = CompileForm(OneSample({{"properties", QJsonObject{{"Shown", false},
                                                                     {"Count", -5},
                                                                     {"Mark", "字"},
                                                                     {"Picture", QJsonObject{{"file", "sample_picture.png"}}},
                                                                     {"Sound", QJsonValue::Null}}}}));
  QTemporaryDir dir;
  QJsonObject unit;
  EXPECT_EQ(DecompileAndCompile(original, dir, unit), original);
  QJsonObject properties = unit["properties"].toObject();
  EXPECT_EQ(properties["Shown"], QJsonValue(false));
  EXPECT_EQ(properties["Count"], QJsonValue(-5));
  EXPECT_EQ(properties["Mark"], QJsonValue("字"));
  EXPECT_TRUE(properties["Sound"].isNull());
  EXPECT_FALSE(properties.contains("Caret"));  // never stored
  // The picture is a file beside the form, named for its unit and property.
  EXPECT_EQ(properties["Picture"].toObject()["file"].toString(), QString("form.52010001.16010002.Picture.png"));
  QFile written(dir.filePath("form.52010001.16010002.Picture.png"));
  QFile sample(FORMTOOL_SAMPLE_DIR "/sample_picture.png");
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), sample.readAll());

  // A single-byte character, and no character at all.
  for (const char* mark : {"*", ""}) {
    Bytes data = CompileForm(OneSample({{"properties", QJsonObject{{"Mark", mark}}}}));
    EXPECT_EQ(DecompileAndCompile(data, dir, unit), data);
    EXPECT_EQ(unit["properties"].toObject()["Mark"], QJsonValue(mark));
  }
}

// Data the table would write differently keeps its bytes: an earlier version without the
// picture, a logical no form can give, a lone byte no character is.
TEST(PropertyKinds, WhatNoFormCanSayStaysRaw) {
  const char* raws[] = {
      "01000000 01000000 07000000 2a00 00000000",
      "02000000 02000000 07000000 2a00 00000000 00000000",
      "02000000 01000000 07000000 a100 00000000 00000000",
  };
  for (const char* raw : raws) {
    SCOPED_TRACE(raw);
    Bytes data = CompileForm(OneSample({{"data", raw}}));
    QTemporaryDir dir;
    QJsonObject unit;
    EXPECT_EQ(DecompileAndCompile(data, dir, unit), data);
    EXPECT_FALSE(unit.contains("properties"));
    EXPECT_TRUE(unit.contains("data"));
  }
}

TEST(PropertyKinds, MistakesNameTheirPlace) {
  struct Case {
    QJsonObject properties;
    const char* message;
  };
  const Case cases[] = {
      {{{"Caret", 1}}, "units[0].properties.Caret: a property of Sample set while the program runs, not in a form; "
                       "properties are Shown, Count, Mark, Sound, Picture"},
      {{{"Shown", 1}}, "properties.Shown: expected true or false"},
      {{{"Count", 101}}, "properties.Count: 101 is out of range: -5 to 100"},
      {{{"Count", 1.5}}, "properties.Count: expected an integer"},
      {{{"Mark", "ab"}}, "properties.Mark: expected one character"},
      {{{"Mark", 42}}, "properties.Mark: expected a text"},
      {{{"Picture", QJsonObject{{"bytes", 5}}}}, "properties.Picture: unknown key \"bytes\""},
      {{{"Picture", "sample_picture.png"}}, "properties.Picture: expected an object"},
      {{{"Sound", QJsonObject{{"file", "missing.wav"}}}}, "properties.Sound.file: cannot read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::variant<Form, std::string> result = Parse(OneSample({{"properties", c.properties}}));
    ASSERT_TRUE(std::holds_alternative<std::string>(result));
    EXPECT_NE(std::get<std::string>(result).find(c.message), std::string::npos) << std::get<std::string>(result);
  }
}

}  // namespace
}  // namespace formtool

#include "tools/formtool/property_values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <climits>
#include <cstdio>

#include "platform/font_record.h"
#include "platform/gbk.h"
#include "contract/property_data.h"
#include "contract/unit_type_ids.h"

namespace formtool {
namespace {

using units::PropertyInfo;
using units::PropertyKind;
using units::PropertyTableView;
using units::PropertyValue;
namespace property_type = units::property_type;

struct FontWord {
  const char* name;
  int32_t platform::FontRecord::*field;
};
struct FontByte {
  const char* name;
  uint8_t platform::FontRecord::*field;
};
constexpr FontWord kFontWords[] = {{"height", &platform::FontRecord::height},
                                   {"width", &platform::FontRecord::width},
                                   {"escapement", &platform::FontRecord::escapement},
                                   {"orientation", &platform::FontRecord::orientation},
                                   {"weight", &platform::FontRecord::weight}};
constexpr FontByte kFontBytes[] = {{"italic", &platform::FontRecord::italic},
                                   {"underline", &platform::FontRecord::underline},
                                   {"strikeOut", &platform::FontRecord::strikeOut},
                                   {"charSet", &platform::FontRecord::charSet},
                                   {"outPrecision", &platform::FontRecord::outPrecision},
                                   {"clipPrecision", &platform::FontRecord::clipPrecision},
                                   {"quality", &platform::FontRecord::quality},
                                   {"pitchAndFamily", &platform::FontRecord::pitchAndFamily}};
constexpr const char* kFaceName = "faceName";
constexpr size_t kLongestFaceName = 31;  // GBK bytes before the record's terminator

std::string StoredNames(const PropertyTableView& table) {
  std::string names;
  for (size_t i = 0; i < table.Count(); ++i) {
    PropertyInfo info = table.Info(i);
    if (info.stored) names += (names.empty() ? "" : ", ") + std::string(info.name);
  }
  return names;
}

std::string FontFieldNames() {
  std::string names;
  for (const FontWord& f : kFontWords) names += std::string(f.name) + ", ";
  for (const FontByte& f : kFontBytes) names += std::string(f.name) + ", ";
  return names + kFaceName;
}

std::vector<uint8_t> CompileFont(const QJsonValue& value, const Path& path) {
  if (value.isNull()) return {};
  QJsonObject o = AsObject(value, path);
  platform::FontRecord record;
  for (auto it = o.begin(); it != o.end(); ++it) {
    const std::string key = it.key().toStdString();
    const Path at = path.Key(key);
    bool known = false;
    for (const FontWord& f : kFontWords) {
      if (key != f.name) continue;
      int64_t n = AsInteger(it.value(), at, 0, "expected an integer");
      if (n < INT32_MIN || n > INT32_MAX) at.Fail(std::to_string(n) + " does not fit in a 32-bit integer");
      record.*f.field = static_cast<int32_t>(n);
      known = true;
    }
    for (const FontByte& f : kFontBytes) {
      if (key != f.name) continue;
      int64_t n = AsInteger(it.value(), at, 0, "expected an integer");
      if (n < 0 || n > 255) at.Fail(std::to_string(n) + " is out of range: 0 to 255");
      record.*f.field = static_cast<uint8_t>(n);
      known = true;
    }
    if (key == kFaceName) {
      record.faceName = AsZText(it.value(), at);
      if (record.faceName.size() > kLongestFaceName) at.Fail("a face name holds at most 31 bytes in GBK");
      known = true;
    }
    if (!known) at.Fail("no such field of a font; fields are " + FontFieldNames());
  }
  std::array<uint8_t, platform::kFontRecordSize> bytes = record.Bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

QJsonValue ReadFont(std::span<const uint8_t> bytes) {
  platform::FontRecord record;
  if (!platform::FontRecord::Parse(bytes, &record)) return QJsonValue::Undefined;
  QJsonObject o;
  for (const FontWord& f : kFontWords) o[f.name] = record.*f.field;
  for (const FontByte& f : kFontBytes) o[f.name] = static_cast<int>(record.*f.field);
  o[kFaceName] = QString::fromStdString(platform::GbkToUtf8(record.faceName));
  return o;
}

// A character is one byte below 0x80, or a GBK double-byte character with its lead byte in the
// high byte; 0 is no character.
uint16_t CompileCharacter(const QJsonValue& value, const Path& path) {
  std::string gbk = AsGbk(value, path);
  const auto* b = reinterpret_cast<const uint8_t*>(gbk.data());
  if (gbk.empty()) return 0;
  if (gbk.size() == 1 && b[0] != 0 && b[0] < 0x80) return b[0];
  if (gbk.size() == 2 && b[0] >= 0x81) return static_cast<uint16_t>(b[0] << 8 | b[1]);
  path.Fail("expected one character");
}

// The character as a string, or its number when it is none (a lone byte of 0x80 or more, or two
// bytes that are no GBK character).
QJsonValue ReadCharacter(uint16_t c) {
  if (c == 0) return QString();
  if (c >= 0x80 && c < 0x100) return static_cast<int>(c);
  std::string gbk = c < 0x80 ? std::string(1, static_cast<char>(c))
                             : std::string{static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  std::string utf8 = platform::GbkToUtf8(gbk);
  if (platform::Utf8ToGbk(utf8) != gbk) return static_cast<int>(c);
  return QString::fromStdString(utf8);
}

QString ColorText(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", color);
  return QString::fromLatin1(text);
}

std::string ChoiceNames(const PropertyInfo& info) {
  std::string names;
  for (size_t value = 0; value < info.choices.size(); ++value)
    names += (names.empty() ? "" : ", ") + std::string(info.choices[value]) + " (" + std::to_string(value) + ")";
  return names;
}

// A choice written by the name of its value.
int64_t ChoiceByName(const PropertyInfo& info, const QString& name, const Path& path) {
  for (size_t value = 0; value < info.choices.size(); ++value)
    if (name == QLatin1String(info.choices[value])) return static_cast<int64_t>(value);
  if (info.choices.empty()) path.Fail("expected an integer: " + std::string(info.name) + "'s values have no names");
  path.Fail("no value \"" + name.toStdString() + "\" of " + info.name + "; values are " + ChoiceNames(info));
}

// What a value given in a form holds until the table has copied it.
struct HeldValue {
  std::string text;
  std::vector<uint8_t> bytes;
};

PropertyValue CompileValue(const PropertyInfo& info, const QJsonValue& value, const Path& path,
                           const FileSource& files, HeldValue& held) {
  switch (info.kind) {
    case PropertyKind::kWord: {
      int64_t n = 0;
      if (info.type == property_type::kLogical) {
        if (!value.isBool()) path.Fail("expected true or false");
        n = value.toBool() ? 1 : 0;
      } else if (info.type == property_type::kChoice && value.isString() && !IsNumeral(value.toString())) {
        n = ChoiceByName(info, value.toString(), path);
      } else {
        if (!value.isDouble() && !value.isString()) path.Fail("expected an integer");
        n = AsInteger(value, path, 0, "expected an integer");
      }
      // A value is never brought into range silently.
      if (n < info.low || n > info.high)
        path.Fail(std::to_string(n) + " is out of range: " + std::to_string(info.low) + " to " +
                  std::to_string(info.high));
      return PropertyValue::Integer(static_cast<int32_t>(n));
    }
    case PropertyKind::kColor: {
      constexpr const char* kFail = "expected a colour: a number or \"0x00BBGGRR\"";
      if (!value.isDouble() && !value.isString()) path.Fail(kFail);
      int64_t n = AsInteger(value, path, 0, kFail);
      if (n < 0 || n > UINT32_MAX) path.Fail(kFail);
      return PropertyValue::Integer(static_cast<int32_t>(static_cast<uint32_t>(n)));
    }
    case PropertyKind::kCharacter: return PropertyValue::Integer(CompileCharacter(value, path));
    case PropertyKind::kText:
      held.text = AsGbk(value, path);
      if (held.text.find('\0') != std::string::npos) path.Fail("a text cannot hold a zero character");
      return PropertyValue::Text(held.text.c_str());
    case PropertyKind::kBytes:
      if (info.type == property_type::kFont) {
        held.bytes = CompileFont(value, path);
      } else if (!value.isNull()) {
        QJsonObject o = AsObject(value, path);
        CheckKeys(o, {"file"}, path);
        if (!o.contains("file")) path.Fail("expected {\"file\": PATH} or null");
        held.bytes = files(o.value("file"), path.Key("file"));
      }
      return held.bytes.empty() ? PropertyValue{} : PropertyValue::Data(held.bytes.data(), held.bytes.size());
    case PropertyKind::kLive: break;
  }
  path.Fail("is not stored in a form");
}

}  // namespace

QJsonValue ByteCount(const PropertyInfo& /*info*/, std::span<const uint8_t> bytes) {
  return QJsonObject{{"bytes", static_cast<qint64>(bytes.size())}};
}

std::string CompactJson(const QJsonValue& value) {
  QByteArray list = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
  return list.mid(1, list.size() - 2).toStdString();
}

std::vector<uint8_t> CompileProperties(const PropertyTableView& table, const std::string& typeName,
                                       const QJsonValue& properties, const Path& path, const FileSource& files) {
  QJsonObject o = AsObject(properties, path);
  std::unique_ptr<units::PropertyObject> object = table.NewProperties();
  for (auto it = o.begin(); it != o.end(); ++it) {
    const std::string name = it.key().toStdString();
    const Path at = path.Key(name);
    const int32_t index = table.Find(name);
    if (index < 0) at.Fail("no such property of " + typeName + "; properties are " + StoredNames(table));
    const PropertyInfo info = table.Info(static_cast<size_t>(index));
    if (!info.stored)
      at.Fail("a property of " + typeName + " set while the program runs, not in a form; properties are " +
              StoredNames(table));
    HeldValue held;
    PropertyValue value = CompileValue(info, it.value(), at, files, held);
    if (!table.Set(*object, static_cast<size_t>(index), value)) at.Fail("cannot be set");
  }
  std::vector<uint8_t> data;
  if (!units::WritePropertyData(*object, data)) path.Fail("cannot be written as property data of " + typeName);
  return data;
}

std::optional<std::vector<NamedValue>> ReadProperties(const PropertyTableView& table, std::span<const uint8_t> data,
                                                      const BytesValue& bytesValue, Choices choices) {
  if (data.size() > INT32_MAX) return std::nullopt;
  std::unique_ptr<units::PropertyObject> object = table.NewProperties();
  if (!units::ReadPropertyData(*object, data.data(), static_cast<int32_t>(data.size()))) return std::nullopt;
  std::vector<NamedValue> values;
  for (size_t i = 0; i < table.Count(); ++i) {
    const PropertyInfo info = table.Info(i);
    PropertyValue value;
    if (!info.stored || !table.Get(*object, i, value)) continue;
    QJsonValue shown;
    switch (info.kind) {
      case PropertyKind::kWord: {
        const int32_t n = value.AsInteger();
        const bool logical = info.type == property_type::kLogical && (n == 0 || n == 1);
        const bool named = choices == Choices::kNames && info.type == property_type::kChoice && n >= 0 &&
                           static_cast<size_t>(n) < info.choices.size();
        shown = logical ? QJsonValue(n == 1) : named ? QJsonValue(QLatin1String(info.choices[n])) : QJsonValue(n);
        break;
      }
      case PropertyKind::kColor: shown = ColorText(static_cast<uint32_t>(value.AsInteger())); break;
      case PropertyKind::kCharacter: shown = ReadCharacter(static_cast<uint16_t>(value.AsInteger())); break;
      case PropertyKind::kText:
        shown = QString::fromStdString(platform::GbkToUtf8(value.AsText() != nullptr ? value.AsText() : ""));
        break;
      case PropertyKind::kBytes: {
        std::span<const uint8_t> bytes = value.AsData();
        if (bytes.empty()) {
          shown = QJsonValue::Null;
        } else {
          shown = info.type == property_type::kFont ? ReadFont(bytes) : QJsonValue(QJsonValue::Undefined);
          if (shown.isUndefined()) shown = bytesValue(info, bytes);
        }
        break;
      }
      case PropertyKind::kLive: continue;
    }
    values.push_back({info.name, shown});
  }
  return values;
}

}  // namespace formtool

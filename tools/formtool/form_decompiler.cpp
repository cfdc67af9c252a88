#include "tools/formtool/form_decompiler.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string_view>

#include "platform/gbk.h"
#include "platform/little_endian.h"
#include "base/template/unit_record.h"
#include "tools/formtool/property_values.h"

namespace formtool {
namespace {

// Raw data up to this length is written as hex in the description, longer data as a file.
constexpr size_t kLongestHexData = 512;
constexpr uint32_t kMenuItemType = 0x10003;

using Fields = std::vector<std::pair<const char*, QJsonValue>>;

QString Id(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", id);
  return QString::fromLatin1(text);
}

QString Text(std::string_view gbk) { return QString::fromStdString(platform::GbkToUtf8(gbk)); }

QString Hex(std::span<const uint8_t> bytes) {
  return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()).toHex());
}

// The usual file name extension of a picture, icon or sound, from its first bytes.
const char* Extension(std::span<const uint8_t> b) {
  auto starts = [b](std::string_view magic, size_t at = 0) {
    return b.size() >= at + magic.size() && std::memcmp(b.data() + at, magic.data(), magic.size()) == 0;
  };
  if (starts("\x89PNG")) return "png";
  if (starts("\xFF\xD8\xFF")) return "jpg";
  if (starts("GIF8")) return "gif";
  if (starts("BM")) return "bmp";
  if (starts(std::string_view("\0\0\1\0", 4))) return "ico";
  if (starts("RIFF") && starts("WAVE", 8)) return "wav";
  if (starts("MThd")) return "mid";
  return "bin";
}

std::string Line(const Fields& fields) {
  std::string line;
  for (const auto& [key, value] : fields) {
    line += (line.empty() ? "" : ", ") + CompactJson(QString::fromLatin1(key)) + ": " + CompactJson(value);
  }
  return line;
}

class Decompiler {
 public:
  Decompiler(const UnitCatalogue& types, std::string fileStem) : types_(types), stem_(std::move(fileStem)) {}

  DecompiledForm Run(const runtime::WindowTable& windows) {
    std::string json = "{\n  \"windows\": [";
    for (size_t w = 0; w < windows.Size(); ++w) {
      json += (w == 0 ? "\n" : ",\n") + Window(windows.At(w));
    }
    json += "\n  ]\n}\n";
    return {json, std::move(files_)};
  }

 private:
  std::string Window(const runtime::TemplateWindow& window) {
    Fields fields{{"id", Id(window.id)}};
    if (window.opaque != 0) fields.push_back({"opaque", Id(window.opaque)});
    if (window.moduleId != 0) fields.push_back({"module", Id(window.moduleId)});
    if (!window.firstText.empty()) fields.push_back({"text1", Text(window.firstText)});
    if (!window.secondText.empty()) fields.push_back({"text2", Text(window.secondText)});
    std::string text = "    {\n      " + Line(fields) + ",\n      \"units\": [";
    for (uint32_t i = 0; i < window.units.Count(); ++i) {
      std::optional<runtime::UnitEntry> entry = window.units.EntryAt(i);
      if (!entry) continue;  // the reader has checked every entry
      text += (i == 0 ? "\n        " : ",\n        ") +
              (window.units.IsMenuItem(i) ? MenuItem(*entry) : Unit(window.id, *entry));
    }
    return text + "\n      ]\n    }";
  }

  QJsonValue Type(uint32_t type) const {
    const std::string name = types_.NameOf(type);
    return name.empty() ? QJsonValue(Id(type)) : QJsonValue(QString::fromStdString(name));
  }

  std::string MenuItem(const runtime::UnitEntry& entry) const {
    runtime::MenuItemView item(entry.record);
    Fields fields{{"menu", true}, {"id", Id(entry.id)}};
    if (item.Type() != kMenuItemType) fields.push_back({"type", Type(item.Type())});
    if (item.EventSource() != 0) fields.push_back({"event_source", Id(item.EventSource())});
    if (!item.Name().empty()) fields.push_back({"name", Text(item.Name())});
    if (!item.SecondText().empty()) fields.push_back({"text2", Text(item.SecondText())});
    if (!item.Caption().empty()) fields.push_back({"caption", Text(item.Caption())});
    if (item.Shortcut() != 0) fields.push_back({"shortcut", Id(item.Shortcut())});
    if (item.Level() != 0) fields.push_back({"level", static_cast<qint64>(item.Level())});
    if (item.StateBits() != 0) fields.push_back({"state", static_cast<qint64>(item.StateBits())});
    if (item.Handler() != -1) fields.push_back({"handler", item.Handler()});
    return "{" + Line(fields) + "}";
  }

  std::string Unit(uint32_t windowId, const runtime::UnitEntry& entry) {
    runtime::UnitRecordView unit(entry.record);
    const runtime::UnitRect r = unit.Rect();
    Fields fields{{"id", Id(entry.id)}, {"type", Type(unit.Type())}};
    if (unit.EventSource() != 0) fields.push_back({"event_source", Id(unit.EventSource())});
    if (!unit.Name().empty()) fields.push_back({"name", Text(unit.Name())});
    if (!unit.SecondText().empty()) fields.push_back({"text2", Text(unit.SecondText())});
    fields.insert(fields.end(), {{"left", r.left}, {"top", r.top}, {"width", r.width}, {"height", r.height}});
    if (unit.Parent() != 0) fields.push_back({"parent", Id(unit.Parent())});
    QJsonArray children;
    for (uint32_t child : unit.Children()) children.append(Id(child));
    if (!children.isEmpty()) fields.push_back({"children", children});
    std::span<const uint8_t> pointer = unit.PointerData();
    if (pointer.size() == 4) {
      fields.push_back({"pointer", static_cast<qint64>(platform::LoadU32(pointer.data()))});
    } else if (!pointer.empty()) {
      fields.push_back({"pointer_data", Hex(pointer)});
    }
    if (!unit.Tag().empty()) fields.push_back({"tag", Text(unit.Tag())});
    if (unit.StateFlags() != 0) fields.push_back({"flags", static_cast<qint64>(unit.StateFlags())});
    if (unit.TabOrder() != 0) fields.push_back({"tab_order", static_cast<qint64>(unit.TabOrder())});
    QJsonArray bindings;
    for (const runtime::EventBinding& b : unit.Bindings()) bindings.append(QJsonObject{{"event", b.event}, {"handler", b.handler}});
    if (!bindings.isEmpty()) fields.push_back({"bindings", bindings});

    const std::string base = stem_ + "." + Id(windowId).mid(2).toStdString() + "." + Id(entry.id).mid(2).toStdString();
    std::span<const uint8_t> data = unit.PropertyData();
    if (std::optional<std::string> properties = Properties(unit.Type(), data, base)) {
      return "{" + Line(fields) + ", \"properties\": {" + *properties + "}}";
    }
    if (data.size() > kLongestHexData) {
      const std::string name = FileName(base + ".data", "bin");
      usedNames_.insert(name);
      files_.push_back({name, std::vector<uint8_t>(data.begin(), data.end())});
      fields.push_back({"data", QJsonArray{QJsonObject{{"file", QString::fromStdString(name)}}}});
    } else if (!data.empty()) {
      fields.push_back({"data", Hex(data)});
    }
    return "{" + Line(fields) + "}";
  }

  // The properties of a unit, one to a line, when its table reads them from its data and writes
  // the same bytes from them; the files they name are then kept.
  std::optional<std::string> Properties(uint32_t type, std::span<const uint8_t> data, const std::string& base) {
    const units::PropertyTableView* table = types_.TableOf(type);
    if (table == nullptr || data.empty()) return std::nullopt;
    std::map<std::string, std::vector<uint8_t>> pending;
    auto toFile = [&](const units::PropertyInfo& info, std::span<const uint8_t> bytes) -> QJsonValue {
      const std::string name = FileName(base + "." + info.name, Extension(bytes));
      pending[name].assign(bytes.begin(), bytes.end());
      return QJsonObject{{"file", QString::fromStdString(name)}};
    };
    std::optional<std::vector<NamedValue>> values = ReadProperties(*table, data, toFile, Choices::kNames);
    if (!values) return std::nullopt;
    QJsonObject named;
    std::string text;
    for (const NamedValue& v : *values) {
      named[v.name] = v.value;
      text += std::string(text.empty() ? "\n" : ",\n") + "           " + CompactJson(QString::fromLatin1(v.name)) +
              ": " + CompactJson(v.value);
    }
    auto fromPending = [&](const QJsonValue& name, const Path& path) {
      auto it = pending.find(name.toString().toStdString());
      if (it == pending.end()) path.Fail("no such file");
      return it->second;
    };
    try {
      if (CompileProperties(*table, types_.NameOf(type), named, Path(""), fromPending) !=
          std::vector<uint8_t>(data.begin(), data.end()))
        return std::nullopt;
    } catch (const SourceError&) {
      return std::nullopt;
    }
    for (auto& [name, bytes] : pending) {
      usedNames_.insert(name);
      files_.push_back({name, std::move(bytes)});
    }
    return text + "\n         ";
  }

  // A file name no other file of the description has.
  std::string FileName(const std::string& base, const char* extension) const {
    std::string name = base + "." + extension;
    for (int n = 2; usedNames_.contains(name); ++n) name = base + "-" + std::to_string(n) + "." + extension;
    return name;
  }

  const UnitCatalogue& types_;
  std::string stem_;
  std::set<std::string> usedNames_;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files_;
};

}  // namespace

DecompiledForm DecompileTemplate(const runtime::WindowTable& windows, const UnitCatalogue& types,
                                 const std::string& fileStem) {
  return Decompiler(types, fileStem).Run(windows);
}

}  // namespace formtool

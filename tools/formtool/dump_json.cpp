#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/gbk.h"
#include "base/template/unit_record.h"
#include "tools/formtool/property_values.h"
#include "tools/formtool/template_dump.h"

namespace formtool {
namespace {

QString Text(std::string_view gbk) { return QString::fromStdString(platform::GbkToUtf8(gbk)); }

QString Hex(std::span<const uint8_t> bytes) {
  return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()).toHex());
}

QJsonObject MenuItem(const runtime::UnitEntry& entry) {
  runtime::MenuItemView item(entry.record);
  QJsonObject o;
  o["index"] = static_cast<qint64>(entry.index);
  o["id"] = static_cast<qint64>(entry.id);
  o["menu"] = true;
  o["type"] = static_cast<qint64>(item.Type());
  o["event_source"] = static_cast<qint64>(item.EventSource());
  o["name"] = Text(item.Name());
  o["text2"] = Text(item.SecondText());
  o["shortcut"] = static_cast<qint64>(item.Shortcut());
  o["level"] = static_cast<qint64>(item.Level());
  o["state"] = static_cast<qint64>(item.StateBits());
  o["caption"] = Text(item.Caption());
  o["handler"] = item.Handler();
  return o;
}

QJsonObject Unit(const runtime::UnitEntry& entry, const UnitCatalogue& types) {
  runtime::UnitRecordView unit(entry.record);
  runtime::UnitRect r = unit.Rect();
  QJsonObject o;
  o["index"] = static_cast<qint64>(entry.index);
  o["id"] = static_cast<qint64>(entry.id);
  // Scripts read the type's number; its name stands beside it for people.
  o["type"] = static_cast<qint64>(unit.Type());
  if (const std::string typeName = types.NameOf(unit.Type()); !typeName.empty())
    o["type_name"] = QString::fromStdString(typeName);
  o["event_source"] = static_cast<qint64>(unit.EventSource());
  o["name"] = Text(unit.Name());
  o["text2"] = Text(unit.SecondText());
  o["left"] = r.left;
  o["top"] = r.top;
  o["width"] = r.width;
  o["height"] = r.height;
  o["parent"] = static_cast<qint64>(unit.Parent());
  QJsonArray children;
  for (uint32_t child : unit.Children()) children.append(static_cast<qint64>(child));
  o["children"] = children;
  o["pointer_data"] = Hex(unit.PointerData());
  o["tag"] = Text(unit.Tag());
  o["flags"] = static_cast<qint64>(unit.StateFlags());
  o["tab_order"] = static_cast<qint64>(unit.TabOrder());
  QJsonArray bindings;
  for (const runtime::EventBinding& binding : unit.Bindings()) {
    bindings.append(QJsonObject{{"event", binding.event}, {"handler", binding.handler}});
  }
  o["bindings"] = bindings;
  o["data"] = Hex(unit.PropertyData());
  if (const units::PropertyTableView* table = types.TableOf(unit.Type())) {
    // Null when the type's table cannot read the data.
    QJsonValue properties = QJsonValue::Null;
    if (auto values = ReadProperties(*table, unit.PropertyData(), ByteCount)) {
      QJsonObject named;
      for (const NamedValue& v : *values) named[v.name] = v.value;
      properties = named;
    }
    o["properties"] = properties;
  }
  return o;
}

}  // namespace

std::string DumpJson(const runtime::WindowTable& windows, size_t bytes, const UnitCatalogue& types) {
  QJsonArray list;
  for (size_t w = 0; w < windows.Size(); ++w) {
    const runtime::TemplateWindow& window = windows.At(w);
    QJsonArray units;
    for (uint32_t i = 0; i < window.units.Count(); ++i) {
      std::optional<runtime::UnitEntry> entry = window.units.EntryAt(i);
      if (!entry) continue;  // the reader has checked every entry
      units.append(window.units.IsMenuItem(i) ? MenuItem(*entry) : Unit(*entry, types));
    }
    list.append(QJsonObject{{"id", static_cast<qint64>(window.id)},
                            {"opaque", static_cast<qint64>(window.opaque)},
                            {"module", static_cast<qint64>(window.moduleId)},
                            {"text1", Text(window.firstText)},
                            {"text2", Text(window.secondText)},
                            {"units", units}});
  }
  QJsonObject root{{"bytes", static_cast<qint64>(bytes)}, {"windows", list}};
  return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace formtool

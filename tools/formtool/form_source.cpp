#include "tools/formtool/form_source.h"

#include <QJsonArray>
#include <QJsonObject>
#include <climits>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/little_endian.h"
#include "base/template/accessible_names.h"
#include "base/template/template_ids.h"
#include "tools/formtool/form_names.h"
#include "tools/formtool/json_reader.h"
#include "tools/formtool/property_values.h"
#include "tools/formtool/source_values.h"

namespace formtool {
namespace {

// Fails at the first of `items` (listed under `list`) whose id an earlier one has.
template <typename Items>
void CheckIdsDiffer(const Items& items, const Path& path, const char* list) {
  std::unordered_map<uint32_t, size_t> first;
  for (size_t i = 0; i < items.size(); ++i) {
    const auto [at, fresh] = first.emplace(items[i].id, i);
    if (!fresh)
      path.Key(list).Index(static_cast<qsizetype>(i)).Key("id").Fail(
          HexWord(items[i].id) + " is also the id of " + list + "[" + std::to_string(at->second) + "]");
  }
}

class Parser {
 public:
  Parser(const QDir& baseDir, const UnitCatalogue& types) : files_(FilesIn(baseDir)), types_(types) {}

  Form ParseDocument(const QJsonObject& root) {
    Path path("");
    CheckKeys(root, {"windows", "bytes"}, path);
    listing_ = root.contains("bytes");
    Form form;
    QJsonArray windows = AsArray(root.value("windows"), path.Key("windows"));
    for (qsizetype i = 0; i < windows.size(); ++i) form.push_back(ParseWindow(windows[i], path.Key("windows").Index(i)));
    // The program loads its windows by id: a second window of one id could never be loaded.
    CheckIdsDiffer(form, path, "windows");
    ResolveNames(form);
    return form;
  }

 private:
  FormWindow ParseWindow(const QJsonValue& value, const Path& path) {
    QJsonObject o = AsObject(value, path);
    CheckKeys(o, {"id", "symbol", "opaque", "module", "text1", "text2", "units"}, path);
    if (!o.contains("id")) path.Fail("a window needs an id");
    FormWindow window;
    window.id = AsWord(o.value("id"), path.Key("id"));
    window.symbol = AsSymbol(o.value("symbol"), path.Key("symbol"));
    window.opaque = AsWord(o.value("opaque"), path.Key("opaque"));
    window.moduleId = AsWord(o.value("module"), path.Key("module"));
    window.firstText = AsGbk(o.value("text1"), path.Key("text1"));
    window.secondText = AsGbk(o.value("text2"), path.Key("text2"));
    QJsonArray units = AsArray(o.value("units"), path.Key("units"));
    for (qsizetype i = 0; i < units.size(); ++i) window.units.push_back(ParseUnit(units[i], path.Key("units").Index(i)));
    // Handlers and events find a window's units and menu items by id: a second of one id would be
    // out of their reach.
    CheckIdsDiffer(window.units, path, "units");
    return window;
  }

  FormUnit ParseUnit(const QJsonValue& value, const Path& path) {
    QJsonObject o = AsObject(value, path);
    if (!o.contains("id")) path.Fail("a unit needs an id");
    FormUnit unit;
    unit.menu = AsLogical(o.value("menu"), path.Key("menu"));
    unit.id = AsWord(o.value("id"), path.Key("id"));
    unit.symbol = AsSymbol(o.value("symbol"), path.Key("symbol"));
    unit.eventSource = AsWord(o.value("event_source"), path.Key("event_source"));
    unit.name = AsZText(o.value("name"), path.Key("name"));
    unit.secondText = AsZText(o.value("text2"), path.Key("text2"));
    if (unit.menu) {
      CheckKeys(o, {"menu", "index", "id", "symbol", "type", "event_source", "name", "text2", "shortcut", "level",
                    "state", "caption", "handler", "offset"},
                path);
      if (!runtime::IsMenuItemId(unit.id))
        path.Key("id").Fail("a menu item needs an id of class 2 and kind 6 (0x26xxxxxx)");
      unit.type = o.contains("type") ? AsType(o.value("type"), path.Key("type")) : 0x10003;
      unit.shortcut = AsWord(o.value("shortcut"), path.Key("shortcut"));
      unit.level = AsWord(o.value("level"), path.Key("level"));
      unit.state = AsWord(o.value("state"), path.Key("state"));
      unit.caption = AsZText(o.value("caption"), path.Key("caption"));
      ReadHandler(o, path, unit.handlerName, unit.handler);
      return unit;
    }
    CheckKeys(o, {"menu", "index", "id", "symbol", "type", "type_name", "event_source", "name", "text2", "left", "top",
                  "width", "height", "parent", "children", "pointer", "pointer_data", "tag", "flags", "tab_order",
                  "bindings", "data", "properties", "accessible_name", "accessible_description", "reading_order"},
              path);
    // The reader tells a menu item from a unit by its id alone.
    if (runtime::IsMenuItemId(unit.id))
      path.Key("id").Fail("an id of class 2 and kind 6 names a menu item: add \"menu\": true");
    if (!o.contains("type")) path.Fail("a unit needs a type");
    unit.type = AsType(o.value("type"), path.Key("type"));
    // A listing names the type beside its number; a name that disagrees is an edit gone wrong.
    if (o.contains("type_name") && AsType(o.value("type_name"), path.Key("type_name")) != unit.type)
      path.Key("type_name").Fail("names another type than " + TypeName(unit.type));
    unit.left = AsInt(o.value("left"), path.Key("left"));
    unit.top = AsInt(o.value("top"), path.Key("top"));
    unit.width = AsInt(o.value("width"), path.Key("width"));
    unit.height = AsInt(o.value("height"), path.Key("height"));
    unit.parent = AsWord(o.value("parent"), path.Key("parent"));
    if (unit.parent != 0 && unit.parent == unit.id) path.Key("parent").Fail("a unit cannot be its own parent");
    QJsonArray children = AsArray(o.value("children"), path.Key("children"));
    for (qsizetype i = 0; i < children.size(); ++i) {
      unit.children.push_back(AsWord(children[i], path.Key("children").Index(i)));
    }
    if (o.contains("pointer") && o.contains("pointer_data")) path.Fail("give either pointer or pointer_data");
    if (o.contains("pointer")) platform::AppendU32(unit.pointerData, AsWord(o.value("pointer"), path.Key("pointer")));
    if (o.contains("pointer_data")) unit.pointerData = AsHex(o.value("pointer_data"), path.Key("pointer_data"));
    unit.tag = AsZText(o.value("tag"), path.Key("tag"));
    unit.flags = AsWord(o.value("flags"), path.Key("flags"));
    unit.tabOrder = AsWord(o.value("tab_order"), path.Key("tab_order"));
    unit.accessibleName = AsZText(o.value("accessible_name"), path.Key("accessible_name"));
    unit.accessibleDescription = AsZText(o.value("accessible_description"), path.Key("accessible_description"));
    unit.readingOrder = AsInt(o.value("reading_order"), path.Key("reading_order"));
    if (unit.readingOrder < 0) path.Key("reading_order").Fail("a reading order counts from 1");
    QJsonArray bindings = AsArray(o.value("bindings"), path.Key("bindings"));
    for (qsizetype i = 0; i < bindings.size(); ++i) {
      Path at = path.Key("bindings").Index(i);
      QJsonObject b = AsObject(bindings[i], at);
      CheckKeys(b, {"event", "handler", "offset"}, at);
      if (!b.contains("handler")) at.Fail("a binding needs a handler: its name or its offset");
      FormBinding binding;
      binding.event = AsInt(b.value("event"), at.Key("event"));
      ReadHandler(b, at, binding.handlerName, binding.handler);
      unit.bindings.push_back(binding);
    }
    if (o.contains("properties") && !(o.contains("data") && listing_)) {
      if (o.contains("data")) path.Fail("give either data or properties");
      const units::PropertyTableView* table = types_.TableOf(unit.type);
      if (table == nullptr) path.Key("properties").Fail(TypeName(unit.type) + " has no named properties; give its data");
      unit.data = CompileProperties(*table, TypeName(unit.type), o.value("properties"), path.Key("properties"), files_);
    } else if (o.value("data").isString()) {
      unit.data = AsHex(o.value("data"), path.Key("data"));
    } else {
      QJsonArray pieces = AsArray(o.value("data"), path.Key("data"));
      for (qsizetype i = 0; i < pieces.size(); ++i) AppendPiece(unit.data, pieces[i], path.Key("data").Index(i));
    }
    return unit;
  }

  // A symbol: a name for program code; ResolveNames checks what it may be.
  static std::string AsSymbol(const QJsonValue& value, const Path& path) {
    if (value.isUndefined()) return {};
    if (!value.isString() || value.toString().isEmpty()) path.Fail("expected a symbol: a C++ identifier");
    return value.toString().toStdString();
  }

  // The handler of a binding or menu item: its name (with an offset or none, which ResolveNames
  // then gives), or its offset alone, -1 for none. Absent: none.
  static void ReadHandler(const QJsonObject& o, const Path& path, std::string& name, int32_t& offset) {
    const QJsonValue handler = o.value("handler");
    if (handler.isString() && !IsNumeral(handler.toString())) {
      name = handler.toString().toStdString();
      offset = -1;
      if (!o.contains("offset")) return;
      const int64_t n = AsInteger(o.value("offset"), path.Key("offset"), 0, "expected an integer");
      if (n < 0 || n > INT32_MAX) path.Key("offset").Fail("a handler's offset is 0 to 2147483647");
      offset = static_cast<int32_t>(n);
      return;
    }
    if (o.contains("offset"))
      path.Key("offset").Fail("an offset belongs to a handler named beside it: \"handler\": \"NAME\", \"offset\": N");
    offset = AsInt(handler, path.Key("handler"), -1);
  }

  // A type id, or the English name of a unit type.
  uint32_t AsType(const QJsonValue& value, const Path& path) const {
    if (value.isString()) {
      bool numeric = false;
      value.toString().toLongLong(&numeric, 0);
      if (!numeric) {
        std::optional<uint32_t> id = types_.IdOf(value.toString().toStdString());
        if (!id) path.Fail("no unit type \"" + value.toString().toStdString() + "\"; types are " + types_.Names());
        return *id;
      }
    }
    return AsWord(value, path);
  }

  std::string TypeName(uint32_t type) const {
    std::string name = types_.NameOf(type);
    if (!name.empty()) return name;
    return "type " + HexWord(type);
  }

  // One piece of raw unit-type property data.
  void AppendPiece(std::vector<uint8_t>& out, const QJsonValue& value, const Path& path) {
    QJsonObject o = AsObject(value, path);
    if (o.contains("file")) {
      CheckKeys(o, {"file", "counted"}, path);
      std::vector<uint8_t> bytes = files_(o.value("file"), path.Key("file"));
      if (AsLogical(o.value("counted"), path.Key("counted"))) {
        if (bytes.size() > 0x7FFFFFFF) path.Fail("file too long for a counted block");
        platform::AppendU32(out, static_cast<uint32_t>(bytes.size()));
      }
      out.insert(out.end(), bytes.begin(), bytes.end());
      return;
    }
    if (o.size() != 1) path.Fail("a piece is one of hex, u8, u16, u32, text, ctext, file");
    QString kind = o.begin().key();
    QJsonValue v = o.begin().value();
    if (kind == "hex") {
      std::vector<uint8_t> bytes = AsHex(v, path.Key("hex"));
      out.insert(out.end(), bytes.begin(), bytes.end());
    } else if (kind == "u8" || kind == "u16" || kind == "u32") {
      // A value is never cut to fit: u8 and u16 take 0 up to their largest value, u32 also
      // takes negatives down to -2^31 (stored as two's complement, as every 32-bit field).
      int size = kind == "u8" ? 1 : kind == "u16" ? 2 : 4;
      int64_t n = AsInteger(v, path.Key(qPrintable(kind)), 0, "expected an integer");
      int64_t lowest = size == 4 ? -2147483648LL : 0;
      int64_t highest = (int64_t{1} << (8 * size)) - 1;
      if (n < lowest || n > highest) path.Fail(std::to_string(n) + " does not fit in " + kind.toStdString());
      platform::AppendLittle(out, static_cast<uint32_t>(n), size);
    } else if (kind == "text") {
      std::string text = AsZText(v, path.Key("text"));
      out.insert(out.end(), text.begin(), text.end());
      out.push_back(0);
    } else if (kind == "ctext") {
      std::string text = AsZText(v, path.Key("ctext"));
      platform::AppendU32(out, static_cast<uint32_t>(text.size()));
      out.insert(out.end(), text.begin(), text.end());
    } else {
      path.Fail("unknown piece \"" + kind.toStdString() + "\"");
    }
  }

  FileSource files_;
  const UnitCatalogue& types_;
  // A dump listing shows each unit's properties beside its data, as a reading of the data.
  bool listing_ = false;
};

}  // namespace

std::vector<uint8_t> AccessibleNames(const Form& form) {
  std::vector<runtime::AccessibleEntry> entries;
  for (const FormWindow& window : form)
    for (const FormUnit& unit : window.units)
      if (!unit.menu && (!unit.accessibleName.empty() || !unit.accessibleDescription.empty() || unit.readingOrder != 0))
        entries.push_back({window.id, unit.id, unit.readingOrder, unit.accessibleName, unit.accessibleDescription});
  return runtime::WriteAccessibleNames(entries);
}

std::variant<Form, std::string> ParseFormSource(const QByteArray& json, const QDir& baseDir, const UnitCatalogue& types) {
  std::variant<QJsonValue, std::string> document = ReadJsonText(json);
  if (auto* error = std::get_if<std::string>(&document)) return *error;
  if (!std::get<QJsonValue>(document).isObject()) return std::string("expected an object at the top");
  try {
    return Parser(baseDir, types).ParseDocument(std::get<QJsonValue>(document).toObject());
  } catch (const SourceError& e) {
    return e.message;
  }
}

}  // namespace formtool

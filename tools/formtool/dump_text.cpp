#include <cinttypes>
#include <cstdio>
#include <span>
#include <string_view>

#include "platform/gbk.h"
#include "base/template/unit_record.h"
#include "tools/formtool/property_values.h"
#include "tools/formtool/template_dump.h"

namespace formtool {
namespace {

constexpr size_t kShownDataBytes = 32;

std::string Format(const char* format, auto... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Id(uint32_t id) { return Format("0x%08" PRIx32, id); }

// A GBK text as quoted UTF-8 on one line.
std::string Quote(std::string_view gbk) {
  std::string out = "\"";
  for (char c : platform::GbkToUtf8(gbk)) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

std::string Hex(std::span<const uint8_t> bytes, size_t limit) {
  std::string out;
  for (size_t i = 0; i < bytes.size() && i < limit; ++i) out += Format(i == 0 ? "%02x" : " %02x", bytes[i]);
  if (bytes.size() > limit) out += " ...";
  return out;
}

void DumpMenuItem(std::string& out, const runtime::UnitEntry& entry) {
  runtime::MenuItemView item(entry.record);
  out += Format("  [%" PRIu32 "] menu item ", entry.index) + Id(entry.id) + "  type " + Id(item.Type()) +
         "  name " + Quote(item.Name()) + "\n";
  out += "      event source " + Id(item.EventSource()) + "  text2 " + Quote(item.SecondText()) + "\n";
  out += "      caption " + Quote(item.Caption()) +
         Format("  shortcut 0x%" PRIx32 "  level %" PRIu32 "  state 0x%" PRIx32 "  handler %" PRId32 "\n",
                item.Shortcut(), item.Level(), item.StateBits(), item.Handler());
}

void DumpUnit(std::string& out, const runtime::UnitEntry& entry, const UnitCatalogue& types) {
  runtime::UnitRecordView unit(entry.record);
  runtime::UnitRect r = unit.Rect();
  const std::string typeName = types.NameOf(unit.Type());
  out += Format("  [%" PRIu32 "] unit ", entry.index) + Id(entry.id) + "  type " + Id(unit.Type()) +
         (typeName.empty() ? "" : " " + typeName) + "  name " + Quote(unit.Name()) + "\n";
  out += "      event source " + Id(unit.EventSource()) + "  text2 " + Quote(unit.SecondText()) + "\n";
  out += Format("      left %" PRId32 "  top %" PRId32 "  width %" PRId32 "  height %" PRId32, r.left, r.top, r.width,
                r.height) +
         "  parent " + Id(unit.Parent()) +
         Format("  flags 0x%" PRIx32 "  tab order %" PRIu32 "\n", unit.StateFlags(), unit.TabOrder());
  std::vector<uint32_t> children = unit.Children();
  if (!children.empty()) {
    out += "      children";
    for (uint32_t child : children) out += " " + Id(child);
    out += "\n";
  }
  out += Format("      pointer data %zu bytes", unit.PointerData().size());
  out += unit.PointerData().empty() ? "\n" : ": " + Hex(unit.PointerData(), kShownDataBytes) + "\n";
  out += "      tag " + Quote(unit.Tag()) + "\n";
  for (const runtime::EventBinding& binding : unit.Bindings()) {
    out += Format("      event %" PRId32 " -> handler %" PRId32 "\n", binding.event, binding.handler);
  }
  std::span<const uint8_t> data = unit.PropertyData();
  out += Format("      property data %zu bytes", data.size());
  out += data.empty() ? "\n" : ": " + Hex(data, kShownDataBytes) + "\n";
  const units::PropertyTableView* table = types.TableOf(unit.Type());
  if (table == nullptr) return;
  std::optional<std::vector<NamedValue>> values = ReadProperties(*table, data, ByteCount);
  if (!values) {
    out += "      (the property data cannot be read as a " + typeName + "'s)\n";
    return;
  }
  for (const NamedValue& v : *values) out += "      " + std::string(v.name) + " " + CompactJson(v.value) + "\n";
}

}  // namespace

std::string DumpText(const runtime::WindowTable& windows, size_t bytes, const UnitCatalogue& types) {
  std::string out = Format("template: %zu bytes, %zu windows\n", bytes, windows.Size());
  for (size_t w = 0; w < windows.Size(); ++w) {
    const runtime::TemplateWindow& window = windows.At(w);
    out += "window " + Id(window.id) + "  opaque " + Id(window.opaque) + "  module " + Id(window.moduleId) +
           "  text1 " + Quote(window.firstText) + "  text2 " + Quote(window.secondText) +
           Format("  %" PRIu32 " entries\n", window.units.Count());
    for (uint32_t i = 0; i < window.units.Count(); ++i) {
      std::optional<runtime::UnitEntry> entry = window.units.EntryAt(i);
      if (!entry) continue;  // the reader has checked every entry
      if (window.units.IsMenuItem(i)) {
        DumpMenuItem(out, *entry);
      } else {
        DumpUnit(out, *entry, types);
      }
    }
  }
  return out;
}

}  // namespace formtool

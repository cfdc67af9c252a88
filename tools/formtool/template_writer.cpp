#include "tools/formtool/template_writer.h"

#include <limits>
#include <stdexcept>
#include <string_view>

#include "platform/little_endian.h"

namespace formtool {
namespace {

class Writer {
 public:
  Writer& U32(uint32_t v) {
    platform::AppendU32(bytes, v);
    return *this;
  }
  Writer& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  Writer& Zeros(size_t n) {
    bytes.insert(bytes.end(), n, 0);
    return *this;
  }
  Writer& ZText(std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
  }
  template <typename Range>
  Writer& Block(const Range& range) {
    if (range.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      throw std::length_error("block longer than 2 GiB");
    }
    U32(static_cast<uint32_t>(range.size()));
    bytes.insert(bytes.end(), range.begin(), range.end());
    return *this;
  }

  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> UnitRecord(const FormUnit& unit) {
  Writer w;
  w.U32(unit.type).U32(unit.eventSource).Zeros(16).ZText(unit.name).ZText(unit.secondText);
  if (unit.menu) {
    w.U32(unit.shortcut).U32(unit.level).U32(unit.state).ZText(unit.caption).I32(unit.handler);
    w.Zeros(8 + 8);  // the menu builder's two run-time slots, then reserved bytes
    return w.bytes;
  }
  w.U32(0).I32(unit.left).I32(unit.top).I32(unit.width).I32(unit.height).U32(0).U32(unit.parent);
  w.U32(static_cast<uint32_t>(unit.children.size()));
  for (uint32_t child : unit.children) w.U32(child);
  w.Block(unit.pointerData).ZText(unit.tag).U32(0).U32(unit.flags).U32(unit.tabOrder);
  w.U32(static_cast<uint32_t>(unit.bindings.size()));
  for (const FormBinding& binding : unit.bindings) w.I32(binding.event).I32(binding.handler);
  w.Zeros(20);
  w.bytes.insert(w.bytes.end(), unit.data.begin(), unit.data.end());
  return w.bytes;
}

std::vector<uint8_t> UnitBuffer(const std::vector<FormUnit>& units) {
  std::vector<std::vector<uint8_t>> records;
  for (const FormUnit& unit : units) records.push_back(UnitRecord(unit));
  Writer w;
  for (const FormUnit& unit : units) w.U32(unit.id);
  uint64_t offset = 0;
  for (const auto& record : records) {
    if (offset > std::numeric_limits<uint32_t>::max()) throw std::length_error("unit list longer than 4 GiB");
    w.U32(static_cast<uint32_t>(offset));
    offset += 4 + record.size();
  }
  for (const auto& record : records) w.Block(record);
  return w.bytes;
}

}  // namespace

std::vector<uint8_t> WriteTemplate(const Form& form) {
  Writer table;
  for (const FormWindow& window : form) table.U32(window.id);
  table.Zeros(4 * form.size());
  Writer w;
  w.Block(table.bytes);
  for (const FormWindow& window : form) {
    w.U32(window.opaque).U32(window.moduleId).Block(window.firstText).Block(window.secondText);
    w.U32(static_cast<uint32_t>(window.units.size())).Block(UnitBuffer(window.units));
  }
  return w.bytes;
}

}  // namespace formtool

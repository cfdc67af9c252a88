#pragma once
// Builds window template bytes field by field, so tests can lay out exactly the data they need,
// damaged or not.
#include <cstdint>
#include <string_view>
#include <vector>

namespace runtime::testing {

class Bytes {
 public:
  Bytes& U32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(v >> shift));
    return *this;
  }
  Bytes& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  Bytes& Text(std::string_view text) {  // zero-terminated
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
    return *this;
  }
  Bytes& Raw(const std::vector<uint8_t>& raw) {
    bytes_.insert(bytes_.end(), raw.begin(), raw.end());
    return *this;
  }
  Bytes& Block(const std::vector<uint8_t>& raw) { return U32(static_cast<uint32_t>(raw.size())).Raw(raw); }
  const std::vector<uint8_t>& Get() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

struct UnitFields {
  uint32_t type = 0x20001;
  std::string_view name = "button";
  int32_t left = 1, top = 2, width = 3, height = 4;
  uint32_t parent = 0;
  std::vector<uint32_t> children;
  std::vector<uint8_t> pointer = {0, 0, 0, 0};
  std::string_view tag;
  uint32_t flags = 5;
  uint32_t tabOrder = 0;
  std::vector<std::pair<int32_t, int32_t>> bindings;
  std::vector<uint8_t> data;
};

inline std::vector<uint8_t> UnitRecord(const UnitFields& f) {
  Bytes b;
  b.U32(f.type).U32(0).U32(0).U32(0).U32(0).U32(0).Text(f.name).Text("");
  b.U32(0).I32(f.left).I32(f.top).I32(f.width).I32(f.height).U32(0).U32(f.parent);
  b.U32(static_cast<uint32_t>(f.children.size()));
  for (uint32_t child : f.children) b.U32(child);
  b.Block(f.pointer).Text(f.tag).U32(0).U32(f.flags).U32(f.tabOrder);
  b.U32(static_cast<uint32_t>(f.bindings.size()));
  for (auto [event, handler] : f.bindings) b.I32(event).I32(handler);
  b.Raw(std::vector<uint8_t>(20, 0)).Raw(f.data);
  return b.Get();
}

inline std::vector<uint8_t> MenuRecord(std::string_view caption, int32_t handler) {
  Bytes b;
  b.U32(0x10003).U32(0).U32(0).U32(0).U32(0).U32(0).Text("item").Text("");
  b.U32(0x74).U32(1).U32(4).Text(caption).I32(handler).U32(0).U32(0).U32(0).U32(0);
  return b.Get();
}

// A unit buffer with the records in index order and no gaps.
inline std::vector<uint8_t> UnitBuffer(const std::vector<uint32_t>& ids, const std::vector<std::vector<uint8_t>>& records) {
  Bytes b;
  for (uint32_t id : ids) b.U32(id);
  uint32_t offset = 0;
  for (const auto& record : records) {
    b.U32(offset);
    offset += 4 + static_cast<uint32_t>(record.size());
  }
  for (const auto& record : records) b.Block(record);
  return b.Get();
}

inline std::vector<uint8_t> WindowRecord(uint32_t count, const std::vector<uint8_t>& buffer) {
  return Bytes().U32(7).U32(0x19010003).U32(0).U32(0).U32(count).Block(buffer).Get();
}

inline std::vector<uint8_t> Template(const std::vector<uint32_t>& windowIds, const std::vector<std::vector<uint8_t>>& windows) {
  Bytes table;
  for (uint32_t id : windowIds) table.U32(id);
  for (size_t i = 0; i < windowIds.size(); ++i) table.U32(0);
  Bytes b;
  b.Block(table.Get());
  for (const auto& window : windows) b.Raw(window);
  return b.Get();
}

}  // namespace runtime::testing

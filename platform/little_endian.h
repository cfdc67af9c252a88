#pragma once
// Stored words are little-endian whatever the machine. Loads and stores work at a place the
// caller has already checked; the cursor reads forward and checks every read against its end,
// so a short read of damaged data answers false instead of reading outside.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace platform {

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t LoadU32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline int32_t LoadI32(const uint8_t* p) { return static_cast<int32_t>(LoadU32(p)); }

inline void StoreU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void StoreU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void StoreI32(uint8_t* p, int32_t v) { StoreU32(p, static_cast<uint32_t>(v)); }

// Appends the `count` (at most 4) low bytes of `v`, lowest first.
inline void AppendLittle(std::vector<uint8_t>& out, uint32_t v, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void AppendU32(std::vector<uint8_t>& out, uint32_t v) { AppendLittle(out, v, 4); }

class ByteCursor {
 public:
  explicit ByteCursor(std::span<const uint8_t> bytes, size_t position = 0) : bytes_(bytes), pos_(position) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return pos_ <= bytes_.size() ? bytes_.size() - pos_ : 0; }

  bool Skip(size_t n) {
    if (n > Remaining()) return false;
    pos_ += n;
    return true;
  }

  bool ReadU16(uint16_t& v) {
    if (Remaining() < 2) return false;
    v = LoadU16(bytes_.data() + pos_);
    pos_ += 2;
    return true;
  }

  bool ReadU32(uint32_t& v) {
    if (Remaining() < 4) return false;
    v = LoadU32(bytes_.data() + pos_);
    pos_ += 4;
    return true;
  }

  bool ReadI32(int32_t& v) {
    uint32_t u;
    if (!ReadU32(u)) return false;
    v = static_cast<int32_t>(u);
    return true;
  }

  // A block: a signed length, then that many bytes; zero or less is an empty block. The length
  // is never trusted beyond the bytes that are there.
  bool ReadBlock(std::span<const uint8_t>& block) {
    int32_t n;
    if (!ReadI32(n)) return false;
    size_t length = n > 0 ? static_cast<size_t>(n) : 0;
    if (length > Remaining()) return false;
    block = bytes_.subspan(pos_, length);
    pos_ += length;
    return true;
  }

  // A zero-terminated text; the view excludes the terminator, the cursor moves past it.
  bool ReadZText(std::string_view& text) {
    if (Remaining() == 0) return false;
    const void* end = std::memchr(bytes_.data() + pos_, 0, Remaining());
    if (end == nullptr) return false;
    size_t length = static_cast<size_t>(static_cast<const uint8_t*>(end) - (bytes_.data() + pos_));
    text = std::string_view(reinterpret_cast<const char*>(bytes_.data() + pos_), length);
    pos_ += length + 1;
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t pos_;
};

}  // namespace platform

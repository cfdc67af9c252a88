#pragma once
// A forward-only reader over bytes that never reads past its end. Every read answers false
// instead of reading outside, so callers can treat any short read as damaged data.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace runtime {

inline uint32_t LoadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

inline void StoreU32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

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

  // A block: a signed length, then that many bytes; zero or less is an empty block.
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

}  // namespace runtime

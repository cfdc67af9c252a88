#include "contract/property_data.h"

#include <climits>
#include <cstring>

#include "platform/little_endian.h"
#include "base/program/memory.h"

namespace units {

PropertyArchive PropertyArchive::Reader(std::span<const uint8_t> data) { return PropertyArchive(data, nullptr); }

PropertyArchive PropertyArchive::Writer(std::vector<uint8_t>& out) { return PropertyArchive({}, &out); }

bool PropertyArchive::ReadRaw(void* to, size_t n) {
  if (!ok_ || n > in_.size() - pos_) return ok_ = false;
  std::memcpy(to, in_.data() + pos_, n);
  pos_ += n;
  return true;
}

void PropertyArchive::WriteRaw(const void* from, size_t n) {
  if (!ok_) return;
  auto bytes = static_cast<const uint8_t*>(from);
  out_->insert(out_->end(), bytes, bytes + n);
}

void PropertyArchive::UInt32(uint32_t& v) {
  uint8_t bytes[4];
  if (Reading()) {
    if (ReadRaw(bytes, 4)) v = platform::LoadU32(bytes);
  } else {
    platform::StoreU32(bytes, v);
    WriteRaw(bytes, 4);
  }
}

void PropertyArchive::Int32(int32_t& v) {
  uint32_t u = static_cast<uint32_t>(v);
  UInt32(u);
  if (Reading() && ok_) v = static_cast<int32_t>(u);
}

void PropertyArchive::Char16(uint16_t& v) {
  uint8_t bytes[2];
  if (Reading()) {
    if (ReadRaw(bytes, 2)) v = platform::LoadU16(bytes);
  } else {
    platform::StoreU16(bytes, v);
    WriteRaw(bytes, 2);
  }
}

void PropertyArchive::Version(uint32_t highest) {
  if (Reading()) {
    uint32_t stored = 0;
    UInt32(stored);
    if (!ok_) return;
    if (stored > highest)
      ok_ = false;
    else
      version_ = stored;
  } else {
    version_ = highest;
    UInt32(version_);
  }
}

bool PropertyArchive::ReadCount(size_t& n) {
  int32_t count = 0;
  Int32(count);
  if (!ok_) return false;
  n = count > 0 ? static_cast<size_t>(count) : 0;
  if (n > in_.size() - pos_) return ok_ = false;
  return true;
}

void PropertyArchive::WriteCount(size_t n) {
  // The count field is 32-bit signed: a larger field cannot be stored faithfully.
  if (n > INT32_MAX) {
    ok_ = false;
    return;
  }
  int32_t count = static_cast<int32_t>(n);
  Int32(count);
}

void PropertyArchive::Text(std::string& text) {
  if (Reading()) {
    size_t n;
    if (!ReadCount(n)) return;
    text.assign(reinterpret_cast<const char*>(in_.data() + pos_), n);
    pos_ += n;
  } else {
    WriteCount(text.size());
    WriteRaw(text.data(), text.size());
  }
}

void PropertyArchive::Bytes(std::vector<uint8_t>& bytes) {
  if (Reading()) {
    size_t n;
    if (!ReadCount(n)) return;
    bytes.assign(in_.data() + pos_, in_.data() + pos_ + n);
    pos_ += n;
  } else {
    WriteCount(bytes.size());
    WriteRaw(bytes.data(), bytes.size());
  }
}

void PropertyArchive::Bytes(std::vector<uint8_t>& bytes, std::span<const uint8_t>& source) {
  Bytes(bytes);
  if (Reading() && ok_) source = in_.subspan(pos_ - bytes.size(), bytes.size());
}

bool ReadPropertyData(PropertyObject& properties, const uint8_t* data, int32_t length) {
  properties.Reset();
  if (data == nullptr || length < 1) return true;
  PropertyArchive archive = PropertyArchive::Reader({data, static_cast<size_t>(length)});
  properties.Serialise(archive);
  if (!archive.Ok()) properties.Reset();
  return archive.Ok();
}

bool WritePropertyData(PropertyObject& properties, std::vector<uint8_t>& out) {
  out.clear();
  out.reserve(4096);
  PropertyArchive archive = PropertyArchive::Writer(out);
  properties.Serialise(archive);
  return archive.Ok();
}

void* WritePropertyBlock(PropertyObject& properties, int32_t* length) {
  *length = 0;
  std::vector<uint8_t> bytes;
  // Every stream starts with its version, so an empty one is a failed write too.
  if (!WritePropertyData(properties, bytes) || bytes.empty() || bytes.size() > INT32_MAX) return nullptr;
  void* block = runtime::TryAllocate(bytes.size());
  if (block == nullptr) return nullptr;
  std::memcpy(block, bytes.data(), bytes.size());
  *length = static_cast<int32_t>(bytes.size());
  return block;
}

}  // namespace units

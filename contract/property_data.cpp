#include "contract/property_data.h"

#include <climits>
#include <cstring>

#include "base/program/memory.h"

namespace units {

PropertyArchive PropertyArchive::Reader(std::span<const uint8_t> data) { return PropertyArchive(data, nullptr); }

PropertyArchive PropertyArchive::Writer(std::vector<uint8_t>& out) { return PropertyArchive({}, &out); }

void PropertyArchive::UInt32(uint32_t& v) {
  if (!ok_) return;
  if (!Reading()) {
    platform::AppendU32(*out_, v);
    return;
  }
  uint32_t read = 0;
  if ((ok_ = in_.ReadU32(read))) v = read;
}

void PropertyArchive::Int32(int32_t& v) {
  uint32_t u = static_cast<uint32_t>(v);
  UInt32(u);
  v = static_cast<int32_t>(u);
}

void PropertyArchive::Char16(uint16_t& v) {
  if (!ok_) return;
  if (!Reading()) {
    platform::AppendLittle(*out_, v, 2);
    return;
  }
  uint16_t read = 0;
  if ((ok_ = in_.ReadU16(read))) v = read;
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

bool PropertyArchive::ReadCounted(std::span<const uint8_t>& field) {
  return ok_ && (ok_ = in_.ReadBlock(field));
}

void PropertyArchive::WriteCounted(std::span<const uint8_t> field) {
  if (!ok_) return;
  // The count field is 32-bit signed: a larger field cannot be stored faithfully.
  if (field.size() > INT32_MAX) {
    ok_ = false;
    return;
  }
  platform::AppendU32(*out_, static_cast<uint32_t>(field.size()));
  out_->insert(out_->end(), field.begin(), field.end());
}

void PropertyArchive::Text(std::string& text) {
  if (!Reading()) {
    WriteCounted({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    return;
  }
  std::span<const uint8_t> field;
  if (ReadCounted(field)) text.assign(field.begin(), field.end());
}

void PropertyArchive::Bytes(std::vector<uint8_t>& bytes) {
  std::span<const uint8_t> source;
  Bytes(bytes, source);
}

void PropertyArchive::Bytes(std::vector<uint8_t>& bytes, std::span<const uint8_t>& source) {
  if (!Reading()) {
    WriteCounted(bytes);
    return;
  }
  std::span<const uint8_t> field;
  if (!ReadCounted(field)) return;
  bytes.assign(field.begin(), field.end());
  source = field;
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

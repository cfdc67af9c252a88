#pragma once
// A unit's own properties and their persisted form: a little-endian stream whose first field is
// a version number. Every unit type describes its fields once, in Serialise, and the same
// description reads and writes, so reader and writer cannot drift apart.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/little_endian.h"

namespace units {

class PropertyArchive {
 public:
  // Reads from `data`; every read is checked against its end.
  static PropertyArchive Reader(std::span<const uint8_t> data);
  // Appends to `out`.
  static PropertyArchive Writer(std::vector<uint8_t>& out);

  bool Reading() const { return out_ == nullptr; }
  // False once a read ran past the data, a version was refused or a field could not be written;
  // every later field is then left alone.
  bool Ok() const { return ok_; }

  // The first field. A writer writes `highest`; a reader takes the stored version and refuses
  // one above `highest`.
  void Version(uint32_t highest);
  // Whether fields added in version `v` are present: always while writing, and while reading when
  // the stored version is at least `v`.
  bool Since(uint32_t v) const { return ok_ && version_ >= v; }

  void Int32(int32_t& v);
  void UInt32(uint32_t& v);  // colours and other unsigned words
  void Char16(uint16_t& v);
  // A 32-bit byte count, then the GBK bytes without terminator; a count of 0 or less is empty.
  void Text(std::string& text);
  // A 32-bit byte count, then the bytes; a count of 0 or less is empty.
  void Bytes(std::vector<uint8_t>& bytes);
  // The same; while reading, `source` is set to where the bytes lie in the data read, so that a
  // picture read from bytes the program keeps for its whole run can be decoded once for it.
  void Bytes(std::vector<uint8_t>& bytes, std::span<const uint8_t>& source);

 private:
  PropertyArchive(std::span<const uint8_t> in, std::vector<uint8_t>* out) : in_(in), out_(out) {}

  // A counted field: its count, checked against the bytes left before anything is taken, and
  // where its bytes lie. False, and the archive failed, when it runs past the data.
  bool ReadCounted(std::span<const uint8_t>& field);
  void WriteCounted(std::span<const uint8_t> field);

  platform::ByteCursor in_;
  std::vector<uint8_t>* out_;
  uint32_t version_ = 0;
  bool ok_ = true;
};

// The property object of a unit: its only persisted state.
class PropertyObject {
 public:
  virtual ~PropertyObject() = default;
  // Sets every own property to its default.
  virtual void Reset() = 0;
  // Reads or writes every own property in stream order, starting with archive.Version(). Writing
  // leaves the object unchanged.
  virtual void Serialise(PropertyArchive& archive) = 0;
};

// Resets, then reads `length` bytes at `data`; null or a length below 1 leaves the defaults and
// succeeds. A refused read answers false and leaves the defaults.
bool ReadPropertyData(PropertyObject& properties, const uint8_t* data, int32_t length);
// The current version with every field.
bool WritePropertyData(PropertyObject& properties, std::vector<uint8_t>& out);
// The same in a block from runtime::Allocate sized exactly, its length in *length; null and 0 on
// failure.
void* WritePropertyBlock(PropertyObject& properties, int32_t* length);

}  // namespace units

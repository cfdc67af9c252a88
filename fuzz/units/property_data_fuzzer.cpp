// Unit-type property data and font records from arbitrary bytes: every field kind the units
// read, in a stream that changes with the input's first byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/font_record.h"
#include "contract/property_data.h"

namespace {

struct EveryField : units::PropertyObject {
  uint8_t order = 0;
  int32_t number = 0;
  uint32_t colour = 0;
  uint16_t character = 0;
  std::string text;
  std::vector<uint8_t> bytes;

  void Reset() override {
    number = 0;
    colour = 0;
    character = 0;
    text.clear();
    bytes.clear();
  }
  void Serialise(units::PropertyArchive& archive) override {
    archive.Version(6);
    for (int i = 0; i < 6; ++i) {
      switch ((order >> i) % 5) {
        case 0: archive.Int32(number); break;
        case 1: archive.UInt32(colour); break;
        case 2: archive.Char16(character); break;
        case 3: archive.Text(text); break;
        default: if (archive.Since(static_cast<uint32_t>(i))) archive.Bytes(bytes);
      }
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  EveryField fields;
  fields.order = data[0];
  if (units::ReadPropertyData(fields, data + 1, static_cast<int32_t>(size - 1))) {
    std::vector<uint8_t> written;
    units::WritePropertyData(fields, written);
  }
  platform::FontRecord font;
  if (platform::FontRecord::Parse({data, size}, &font)) (void)font.Bytes();
  return 0;
}

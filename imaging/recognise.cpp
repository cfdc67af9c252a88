#include <cstring>

#include "imaging/bytes.h"
#include "imaging/image.h"

namespace imaging {

ImageKind RecogniseImage(const std::uint8_t* bytes, std::int64_t length) {
  // Every signature below fits in the first six bytes; fewer than that is never a picture.
  if (bytes == nullptr || length < 6) return kNotPicture;
  const std::uint8_t* b = bytes;
  if (b[0] == 'B' && b[1] == 'M') return kBmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return kJpeg;
  if (detail::LoadU32(b) == 0x474E5089) return kPng;
  const std::uint16_t reserved = detail::LoadU16(b), type = detail::LoadU16(b + 2), count = detail::LoadU16(b + 4);
  if (reserved == 0 && type == 1 && count > 0) return kIco;
  if (reserved == 0 && type == 2 && count > 0) return kCur;
  if (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0) return kGif;
  if (b[0] == 10) {
    const std::uint8_t version = b[1], encoding = b[2], bits = b[3];
    if (version <= 5 && encoding == 1 && bits == 8) return kPcx8;
    if (version == 3 && encoding == 1 && bits == 1) return kPcx1;
  }
  return kNotPicture;
}

}  // namespace imaging

// One picture decoder, chosen when the target is built (PICTURE_DECODER), on arbitrary bytes.
// Whatever decodes is prepared for drawing too, which reads every pixel the decoder produced.
#include "imaging/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  imaging::Refusal why;
  const std::unique_ptr<imaging::Image> image = imaging::detail::PICTURE_DECODER(imaging::detail::Bytes(data, size), why);
  if (image) {
    imaging::PreparedImage prepared;
    imaging::PrepareImage(nullptr, *image, 0x808080, &prepared);
  }
  return 0;
}

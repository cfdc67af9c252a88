// The animation player's frame list on arbitrary bytes: every frame read, then composed onto
// the logical screen twice round, so disposal and transparency run over every frame.
#include "imaging/gif_composer.h"
#include "imaging/gif_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<imaging::GifAnimation> animation = imaging::ReadGifFrames(std::span(data, size));
  if (!animation) return 0;
  imaging::GifComposer composer(*animation, 0xFF808080);
  for (std::size_t i = 0; i < 2 * animation->frames.size(); ++i) composer.Next();
  return 0;
}

#include "units/superbtn/lighten_color.h"

#include <algorithm>

namespace units {

uint32_t LightenColor(uint32_t color, int32_t amount) {
  if (amount < -255 || amount > 255) return color;
  int32_t channels[3] = {static_cast<int32_t>(color & 0xFF), static_cast<int32_t>(color >> 8 & 0xFF),
                         static_cast<int32_t>(color >> 16 & 0xFF)};
  // One shift for all three channels keeps the hue: the channel nearest its limit decides it.
  int32_t shift = amount;
  for (int32_t c : channels) shift = amount > 0 ? std::min(shift, 255 - c) : std::max(shift, -c);
  uint32_t out = 0;
  for (int i = 0; i < 3; ++i) out |= static_cast<uint32_t>(channels[i] + shift) << (8 * i);
  return out;
}

}  // namespace units

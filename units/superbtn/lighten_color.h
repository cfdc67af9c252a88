#pragma once
#include <cstdint>

namespace units {

// Shifts the red, green and blue bytes of a 0x00BBGGRR colour by one common amount, reduced so
// that no channel leaves 0..255; an amount outside -255..255 leaves the colour as it is. The top
// byte of the result is zero.
uint32_t LightenColor(uint32_t color, int32_t amount);

}  // namespace units

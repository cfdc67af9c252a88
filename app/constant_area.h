#pragma once
// The constant data area: every literal the handlers use by address. The host knows its range,
// so the memory services never free or resize a block that lies in it.
#include <cstdint>

namespace toolbox {

struct ConstantArea {
  // Points each score row's item costs: the score calculator's divisors.
  double points20000, points12, points80, points30, points10, points60, points150, points40, points375,
      points5000, points6000, points90, points10000, points480, points300;
  // The price calculator: market tax, pieces in a group, listing fee, and each item's xianyu price.
  double taxRate, groupSize, listingFee, xianyu5, xianyu8, xianyu500, xianyu160;
  char emptyText[1];
  char answerPage[64];
  char schedulePage[64];
};

extern const ConstantArea kConstants;

}  // namespace toolbox

#pragma once
// The persisted properties of a web browser box: version 1, five 32-bit words.
#include <cstdint>

#include "units/framework/property_data.h"

namespace units {

struct WebBrowserProperties final : PropertyObject {
  int32_t border = 0;  // edge style 0 to 5; any other value is kept as stored and draws no edge
  int32_t silent = 0;
  int32_t offline = 0;
  int32_t dropTarget = 1;
  int32_t registerAsBrowser = 0;

  void Reset() override { *this = WebBrowserProperties(); }
  void Serialise(PropertyArchive& archive) override;
};

}  // namespace units

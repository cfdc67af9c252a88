#pragma once
// The window template data compiled from forms/toolbox_forms.json at build time.
#include <cstdint>

namespace toolbox {

extern const uint8_t kTemplateData[];
extern const uint32_t kTemplateLength;

}  // namespace toolbox

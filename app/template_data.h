#pragma once
// The window template data compiled from forms/toolbox_forms.json at build time, and the table of
// accessible names compiled beside it.
#include <cstdint>

namespace toolbox {

extern const uint8_t kTemplateData[];
extern const uint32_t kTemplateLength;
extern const uint8_t kAccessibleNamesData[];
extern const uint32_t kAccessibleNamesLength;

}  // namespace toolbox

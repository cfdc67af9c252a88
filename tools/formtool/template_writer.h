#pragma once
// Writes a form as window template data: records in index order without gaps, zeros in the
// reserved words, the run-time slots and the window table's placeholders.
#include <cstdint>
#include <vector>

#include "tools/formtool/form.h"

namespace formtool {

// Throws std::length_error when a block would not fit its signed 32-bit length.
std::vector<uint8_t> WriteTemplate(const Form& form);

}  // namespace formtool

#pragma once
// Reading the window template data. The stored counts, offsets and lengths are never trusted:
// any inconsistency fails the whole read, nothing is read or written outside the data, and no
// buffer is larger than the data could describe.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/template/template_window.h"

namespace runtime {

// Reads the windows and relocates every handler field: -1 becomes 0, a stored offset becomes
// its 1-based slot in `handlerOffsets` (entry k - 1 is the program's k-th handler); an offset
// missing from the table fails the read. Empty data means no windows.
std::optional<WindowTable> ReadTemplate(std::span<const uint8_t> data, std::span<const int32_t> handlerOffsets);

// Where a read of template data stopped, for tools that tell the user what is wrong with a file.
struct TemplateReadFailure {
  size_t offset = 0;  // of the field that could not be read
  std::string what;   // which field, and of which window
};

// Reads the windows, leaving the handler fields as stored (for listing data). When it fails and
// `failure` is given, says where.
std::optional<WindowTable> ReadTemplateAsStored(std::span<const uint8_t> data, TemplateReadFailure* failure = nullptr);

// ReadTemplate for the host: a failure is the runtime error "载入窗口模板数据段出错!".
WindowTable LoadTemplate(std::span<const uint8_t> data, std::span<const int32_t> handlerOffsets);

}  // namespace runtime

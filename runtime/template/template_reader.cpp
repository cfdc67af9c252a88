#include "runtime/template/template_reader.h"

#include <string>

#include "platform/gbk.h"
#include "platform/little_endian.h"
#include "runtime/program/runtime_error.h"

namespace runtime {

using platform::ByteCursor;
using platform::LoadU32;

namespace {

bool ReadCountedText(ByteCursor& cursor, std::string& text) {
  std::span<const uint8_t> block;
  if (!cursor.ReadBlock(block)) return false;
  text.assign(block.begin(), block.end());
  return true;
}

std::unique_ptr<TemplateWindow> ReadWindow(ByteCursor& cursor, uint32_t id) {
  auto window = std::make_unique<TemplateWindow>();
  window->id = id;
  uint32_t count;
  std::span<const uint8_t> buffer;
  if (!cursor.ReadU32(window->opaque) || !cursor.ReadU32(window->moduleId) ||
      !ReadCountedText(cursor, window->firstText) || !ReadCountedText(cursor, window->secondText) ||
      !cursor.ReadU32(count) || !cursor.ReadBlock(buffer)) {
    return nullptr;
  }
  std::optional<UnitList> units = UnitList::FromBytes(count, buffer, buffer.data());
  if (!units) return nullptr;
  window->units = std::move(*units);
  return window;
}

std::optional<WindowTable> Read(std::span<const uint8_t> data, const std::span<const int32_t>* handlerOffsets) {
  WindowTable table;
  if (data.empty()) return table;
  ByteCursor cursor(data);
  std::span<const uint8_t> ids;
  if (!cursor.ReadBlock(ids)) return std::nullopt;
  // The second half of the table holds placeholders, ignored.
  size_t count = ids.size() / 8;
  for (size_t i = 0; i < count; ++i) {
    std::unique_ptr<TemplateWindow> window = ReadWindow(cursor, LoadU32(ids.data() + 4 * i));
    if (!window) return std::nullopt;
    if (handlerOffsets != nullptr && !window->units.RelocateHandlers(*handlerOffsets)) return std::nullopt;
    table.Add(std::move(window));
  }
  return table;
}

}  // namespace

std::optional<WindowTable> ReadTemplate(std::span<const uint8_t> data, std::span<const int32_t> handlerOffsets) {
  return Read(data, &handlerOffsets);
}

std::optional<WindowTable> ReadTemplateAsStored(std::span<const uint8_t> data) { return Read(data, nullptr); }

WindowTable LoadTemplate(std::span<const uint8_t> data, std::span<const int32_t> handlerOffsets) {
  std::optional<WindowTable> table = ReadTemplate(data, handlerOffsets);
  if (!table) ReportRuntimeError(platform::Utf8ToGbk("载入窗口模板数据段出错!"), 0);
  return std::move(*table);
}

}  // namespace runtime

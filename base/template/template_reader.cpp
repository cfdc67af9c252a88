#include "base/template/template_reader.h"

#include <cstdio>
#include <string>

#include "platform/gbk.h"
#include "platform/little_endian.h"
#include "base/program/runtime_error.h"

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

// Records where reading stopped; always answers false so that a failed read returns through it.
bool Stop(TemplateReadFailure* failure, size_t offset, std::string what) {
  if (failure != nullptr) *failure = {offset, std::move(what)};
  return false;
}

std::string WindowName(uint32_t id, size_t index, size_t count) {
  char text[64];
  std::snprintf(text, sizeof text, "window 0x%08X (%zu of %zu)", id, index + 1, count);
  return text;
}

std::unique_ptr<TemplateWindow> ReadWindow(ByteCursor& cursor, uint32_t id, const std::string& name,
                                           TemplateReadFailure* failure) {
  auto window = std::make_unique<TemplateWindow>();
  window->id = id;
  size_t at = cursor.Position();
  // Each step notes where it starts, so that a failure names the field that ends the data.
  auto step = [&](bool read, const char* field) {
    if (read) at = cursor.Position();
    return read || Stop(failure, at, name + ": " + field + " runs past the end of the data");
  };
  uint32_t count = 0;
  std::span<const uint8_t> buffer;
  if (!step(cursor.ReadU32(window->opaque) && cursor.ReadU32(window->moduleId), "its header") ||
      !step(ReadCountedText(cursor, window->firstText), "its first text") ||
      !step(ReadCountedText(cursor, window->secondText), "its second text") ||
      !step(cursor.ReadU32(count), "its unit count") || !step(cursor.ReadBlock(buffer), "its unit list")) {
    return nullptr;
  }
  std::optional<UnitList> units = UnitList::FromBytes(count, buffer, buffer.data());
  if (!units) {
    Stop(failure, cursor.Position() - buffer.size(),
         name + ": its unit list of " + std::to_string(count) + " entries does not hold together");
    return nullptr;
  }
  window->units = std::move(*units);
  return window;
}

std::optional<WindowTable> Read(std::span<const uint8_t> data, const std::span<const int32_t>* handlerOffsets,
                                TemplateReadFailure* failure = nullptr) {
  WindowTable table;
  if (data.empty()) return table;
  ByteCursor cursor(data);
  std::span<const uint8_t> ids;
  if (!cursor.ReadBlock(ids)) {
    Stop(failure, 0, "the table of window ids runs past the end of the data");
    return std::nullopt;
  }
  // The second half of the table holds placeholders, ignored.
  size_t count = ids.size() / 8;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t id = LoadU32(ids.data() + 4 * i);
    std::unique_ptr<TemplateWindow> window = ReadWindow(cursor, id, WindowName(id, i, count), failure);
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

std::optional<WindowTable> ReadTemplateAsStored(std::span<const uint8_t> data, TemplateReadFailure* failure) {
  return Read(data, nullptr, failure);
}

WindowTable LoadTemplate(std::span<const uint8_t> data, std::span<const int32_t> handlerOffsets) {
  std::optional<WindowTable> table = ReadTemplate(data, handlerOffsets);
  if (!table) ReportRuntimeError(platform::Utf8ToGbk("载入窗口模板数据段出错!"), 0);
  return std::move(*table);
}

}  // namespace runtime

#include "base/values/data_block.h"

#include <cstring>

#include "base/program/memory.h"
#include "base/values/value.h"

namespace runtime {
namespace {

// Keeps count × element size (at most 8 bytes) addressable.
constexpr size_t kMaxElements = static_cast<size_t>(PTRDIFF_MAX) / 8;

int32_t ReadWord(const uint8_t* at) {
  int32_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

}  // namespace

BlockElements ElementsOf(const void* block) {
  if (block == nullptr) return {};
  auto bytes = static_cast<const uint8_t*>(block);
  const int32_t dimensions = ReadWord(bytes);
  if (dimensions <= 0) return {};
  size_t count = 1;
  for (int32_t i = 0; i < dimensions; ++i) {
    const int32_t size = ReadWord(bytes + 4 + 4 * static_cast<size_t>(i));
    if (size <= 0 || count > kMaxElements / static_cast<size_t>(size)) return {};
    count *= static_cast<size_t>(size);
  }
  return {bytes + 4 + 4 * static_cast<size_t>(dimensions), count};
}

void* NewByteData(const void* bytes, int32_t length) {
  if (length <= 0) return nullptr;
  auto block = static_cast<uint8_t*>(Allocate(8 + static_cast<size_t>(length)));
  const int32_t header[2] = {1, length};
  std::memcpy(block, header, sizeof header);
  std::memcpy(block + 8, bytes, static_cast<size_t>(length));
  return block;
}

void FreeArrayValue(void* block, uint32_t typeCode) {
  if (block == nullptr || InConstantArea(block)) return;
  const uint32_t element = ElementTypeOf(typeCode);
  if (element == type::kText || element == type::kByteData) {
    const BlockElements elements = ElementsOf(block);
    for (size_t i = 0; i < elements.count; ++i) {
      void* owned;
      std::memcpy(&owned, elements.first + i * sizeof owned, sizeof owned);
      Free(owned);
    }
  }
  Free(block);
}

}  // namespace runtime

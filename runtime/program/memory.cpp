#include "runtime/program/memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gbk.h"
#include "runtime/program/runtime_error.h"

namespace runtime {
namespace {

const char* gConstantBegin = nullptr;
const char* gConstantEnd = nullptr;

}  // namespace

void ReportAllocationFailure(long long n) {
  static const std::string format = platform::Utf8ToGbk("分配 %d 字节内存失败!");
  std::string message = format;
  message.replace(message.find("%d"), 2, std::to_string(n));
  ReportRuntimeError(message, 0);
}

void SetConstantArea(const void* begin, size_t length) {
  gConstantBegin = static_cast<const char*>(begin);
  gConstantEnd = length != 0 && begin != nullptr ? gConstantBegin + length : gConstantBegin;
}

bool InConstantArea(const void* block) {
  auto p = static_cast<const char*>(block);
  return p != nullptr && gConstantBegin != nullptr && p >= gConstantBegin && p < gConstantEnd;
}

size_t ConstantBytesFrom(const void* block) {
  return InConstantArea(block) ? static_cast<size_t>(gConstantEnd - static_cast<const char*>(block)) : 0;
}

void* TryAllocate(size_t n) { return std::malloc(n == 0 ? 1 : n); }

void* Allocate(size_t n) {
  void* block = TryAllocate(n);
  if (block == nullptr) ReportAllocationFailure(static_cast<long long>(n));
  return block;
}

void* Resize(void* block, size_t n) {
  if (block == nullptr) return Allocate(n);
  if (InConstantArea(block)) {
    void* copy = Allocate(n);
    std::memcpy(copy, block, std::min(n, ConstantBytesFrom(block)));
    return copy;
  }
  void* moved = std::realloc(block, n == 0 ? 1 : n);
  if (moved == nullptr) ReportAllocationFailure(static_cast<long long>(n));
  return moved;
}

void Free(void* block) {
  if (block == nullptr || InConstantArea(block)) return;
  std::free(block);
}

}  // namespace runtime

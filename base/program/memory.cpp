#include "base/program/memory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/gbk.h"
#include "base/program/runtime_error.h"

namespace runtime {
namespace {

std::atomic<AllocationFault> gFault{nullptr};

bool Fails(size_t n) {
  AllocationFault fault = gFault.load();
  return fault != nullptr && fault(n);
}

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

void SetAllocationFault(AllocationFault fault) { gFault = fault; }

void* TryAllocate(size_t n) { return Fails(n) ? nullptr : std::malloc(n == 0 ? 1 : n); }

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
  void* moved = Fails(n) ? nullptr : std::realloc(block, n == 0 ? 1 : n);
  if (moved == nullptr) ReportAllocationFailure(static_cast<long long>(n));
  return moved;
}

void Free(void* block) {
  if (block == nullptr || InConstantArea(block)) return;
  std::free(block);
}

HeapBlock::HeapBlock(std::span<const uint8_t> bytes) {
  data_ = static_cast<uint8_t*>(Allocate(bytes.size()));
  size_ = bytes.size();
  if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
}

bool HeapBlock::TryCopy(std::span<const uint8_t> bytes, HeapBlock* out) {
  auto* data = static_cast<uint8_t*>(TryAllocate(bytes.size()));
  if (data == nullptr) return false;
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  *out = HeapBlock();
  out->data_ = data;
  out->size_ = bytes.size();
  return true;
}

HeapBlock::HeapBlock(HeapBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
  other.data_ = nullptr;
  other.size_ = 0;
}

HeapBlock& HeapBlock::operator=(HeapBlock&& other) noexcept {
  if (this != &other) {
    Free(data_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void HeapBlock::Resize(size_t n) {
  data_ = static_cast<uint8_t*>(runtime::Resize(data_, n));
  size_ = n;
}

}  // namespace runtime

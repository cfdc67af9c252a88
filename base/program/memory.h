#pragma once
// Memory handed between the program, the host and the libraries. Blocks inside the constant
// data area are literals of the program: they are never freed and never resized in place.
#include <cstddef>
#include <cstdint>
#include <span>

namespace runtime {

// Records the program's constant data area [begin, begin + length).
void SetConstantArea(const void* begin, size_t length);
bool InConstantArea(const void* block);
// Bytes from `block` to the end of the constant data area; 0 outside it.
size_t ConstantBytesFrom(const void* block);

// The runtime error of an allocation of n bytes that cannot be served.
[[noreturn]] void ReportAllocationFailure(long long n);

// Allocates n bytes; failure is the runtime error "分配 %d 字节内存失败!".
void* Allocate(size_t n);
// Allocates n bytes; failure answers null.
void* TryAllocate(size_t n);
// Null is an allocation; a constant block is copied into a new block (up to the end of the area).
void* Resize(void* block, size_t n);
// Ignores null and constant blocks.
void Free(void* block);

// Bytes in one block of the memory service, freed with the object.
class HeapBlock {
 public:
  HeapBlock() = default;
  // A copy of `bytes`; failure is the runtime error of Allocate.
  explicit HeapBlock(std::span<const uint8_t> bytes);
  // A copy of `bytes`, or nothing when the block cannot be had.
  static bool TryCopy(std::span<const uint8_t> bytes, HeapBlock* out);
  HeapBlock(HeapBlock&& other) noexcept;
  HeapBlock& operator=(HeapBlock&& other) noexcept;
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;
  ~HeapBlock() { Free(data_); }

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  // Grows or shrinks the block to n bytes, keeping the first min(n, size()) bytes; failure is
  // the runtime error of Resize.
  void Resize(size_t n);

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

// Lets tests make allocations fail: asked with the byte count before every allocation and
// resize, a fault answering true makes that one fail. Null (the default) fails none.
using AllocationFault = bool (*)(size_t n);
void SetAllocationFault(AllocationFault fault);

}  // namespace runtime

#pragma once
// Memory handed between the program, the host and the libraries. Blocks inside the constant
// data area are literals of the program: they are never freed and never resized in place.
#include <cstddef>

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

}  // namespace runtime

#pragma once
// Array and byte-data blocks: a 32-bit dimension count n, n 32-bit dimension sizes, then the
// elements packed without gaps. Byte data is the one-dimensional block {1, length, bytes}.
//
// Ownership: texts, byte-data blocks and array blocks live on the runtime heap; whoever receives
// one from a command or a property read owns it and frees it. Blocks in the constant data area
// are never freed, so they may be handed around like owned ones.
#include <cstddef>
#include <cstdint>

namespace runtime {

struct BlockElements {
  const uint8_t* first = nullptr;
  size_t count = 0;
};

// The elements of an array or byte-data block. The block's words are not trusted: a null block, a
// dimension count or size of 0 or less, or a product of sizes too large to address, gives none.
BlockElements ElementsOf(const void* block);

// A new byte-data block holding `length` bytes copied from `bytes`; null (the empty byte data)
// when length is 0 or less.
void* NewByteData(const void* bytes, int32_t length);

// Frees an array value of the given type code (with or without the array bit). Elements of text
// and byte-data arrays are pointers to blocks of their own, freed first. A block in the constant
// data area is a literal: neither it nor its elements are freed.
void FreeArrayValue(void* block, uint32_t typeCode);

}  // namespace runtime

#include <malloc.h>

#include <cstring>
#include <limits>
#include <vector>

#include "runtime/values/data_block.h"
#include "runtime/values/text_compare.h"
#include "tests/runtime/values/command_call.h"

namespace values_test {
namespace {

namespace type = runtime::type;
using runtime::TypeClass;

TEST(TypeCodes, FallIntoFourClasses) {
  EXPECT_EQ(runtime::ClassOf(0), TypeClass::kNone);
  EXPECT_EQ(runtime::ClassOf(type::kText), TypeClass::kSystem);
  EXPECT_EQ(runtime::ClassOf(type::kInt | type::kArrayBit), TypeClass::kSystem);
  EXPECT_EQ(runtime::ClassOf(0xBFFFFFFF), TypeClass::kSystem);
  EXPECT_EQ(runtime::ClassOf(0x10001), TypeClass::kUnitType);
  EXPECT_EQ(runtime::ClassOf(0x3FFFFFFF), TypeClass::kUnitType);
  EXPECT_EQ(runtime::ClassOf(0x40000000), TypeClass::kOther);
  EXPECT_EQ(runtime::ClassOf(0xC0000001), TypeClass::kOther);
}

TEST(TypeCodes, NumbersAndTheirElementSizes) {
  const uint32_t numbers[] = {type::kByte, type::kShort, type::kInt, type::kInt64, type::kFloat, type::kDouble};
  const uint32_t sizes[] = {1, 2, 4, 8, 4, 8};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_TRUE(runtime::IsNumericType(numbers[i]));
    EXPECT_EQ(runtime::NumericElementSize(numbers[i]), sizes[i]);
    EXPECT_FALSE(runtime::IsNumericType(numbers[i] | type::kArrayBit));
  }
  EXPECT_FALSE(runtime::IsNumericType(type::kBool));
  EXPECT_FALSE(runtime::IsNumericType(0x40000001));
  EXPECT_EQ(runtime::NumericElementSize(type::kText), 0u);
  EXPECT_EQ(runtime::ElementTypeOf(type::kDouble | type::kArrayBit), type::kDouble);
}

TEST(CompareText, AbsentTextEqualsEmptyText) {
  EXPECT_EQ(runtime::CompareText(nullptr, nullptr), 0);
  EXPECT_EQ(runtime::CompareText(nullptr, ""), 0);
  EXPECT_EQ(runtime::CompareText("", nullptr), 0);
  EXPECT_EQ(runtime::CompareText("a", nullptr), 1);
  EXPECT_EQ(runtime::CompareText(nullptr, "a"), -1);
  EXPECT_EQ(runtime::CompareText("", "a"), -1);
}

TEST(CompareText, FirstDifferingUnsignedByteDecides) {
  EXPECT_EQ(runtime::CompareText("abc", "abc"), 0);
  EXPECT_EQ(runtime::CompareText("ab", "abc"), -1);
  EXPECT_EQ(runtime::CompareText("abd", "abc"), 1);
  EXPECT_EQ(runtime::CompareText("\xB0\xA1", "z"), 1);  // a GBK lead byte sorts after ASCII
  EXPECT_EQ(runtime::CompareText("Z", "\xB0\xA1"), -1);
}

TEST(DataBlocks, ElementsFollowEveryDimensionSize) {
  const int32_t matrix[] = {2, 3, 4};
  const runtime::BlockElements elements = runtime::ElementsOf(matrix);
  EXPECT_EQ(elements.count, 12u);
  EXPECT_EQ(elements.first, reinterpret_cast<const uint8_t*>(matrix + 3));
  EXPECT_EQ(runtime::ElementsOf(nullptr).count, 0u);
}

TEST(DataBlocks, UntrustworthySizesGiveNoElements) {
  const int32_t kMax = std::numeric_limits<int32_t>::max();
  const std::vector<std::vector<int32_t>> damaged = {
      {0}, {-1, 5}, {1, -5}, {2, 5, 0}, {3, kMax, kMax, kMax}, {std::numeric_limits<int32_t>::min()}};
  for (const auto& block : damaged) EXPECT_EQ(runtime::ElementsOf(block.data()).count, 0u) << block[0];
}

TEST(DataBlocks, NewByteDataHoldsLengthAndBytes) {
  EXPECT_EQ(runtime::NewByteData("abc", 0), nullptr);
  EXPECT_EQ(runtime::NewByteData("abc", -1), nullptr);
  void* block = runtime::NewByteData("abc", 3);
  const runtime::BlockElements elements = runtime::ElementsOf(block);
  ASSERT_EQ(elements.count, 3u);
  EXPECT_EQ(std::memcmp(elements.first, "abc", 3), 0);
  EXPECT_EQ(TextOf(Value(type::kByteData, block)), "abc");
  runtime::Free(block);
}

#ifdef __GLIBC__
// Bytes the heap has handed out and not yet taken back. Small freed blocks stay counted while
// they wait in a per-thread cache, so only a large block's return shows reliably.
size_t HeapInUse() { return mallinfo2().uordblks; }
constexpr size_t kLargeElement = 100000;

TEST(FreeArrayValue, FreesTextElementsBeforeTheArray) {
  for (uint32_t elementType : {type::kText, type::kByteData}) {
    auto block = static_cast<uint8_t*>(runtime::Allocate(8 + 3 * sizeof(void*)));
    const int32_t header[2] = {1, 3};
    std::memcpy(block, header, sizeof header);
    void* elements[3] = {runtime::Allocate(kLargeElement), nullptr, runtime::NewByteData("xy", 2)};
    std::memcpy(block + 8, elements, sizeof elements);
    const size_t before = HeapInUse();
    runtime::FreeArrayValue(block, elementType | type::kArrayBit);
    EXPECT_GE(before - HeapInUse(), kLargeElement) << std::hex << elementType;
  }
}
#endif

TEST(FreeArrayValue, LeavesConstantArraysAndTheirElementsAlone) {
  char* element = static_cast<char*>(runtime::Allocate(4));
  std::memcpy(element, "abc", 4);
  alignas(8) uint8_t constants[8 + sizeof element];
  const int32_t header[2] = {1, 1};
  std::memcpy(constants, header, sizeof header);
  std::memcpy(constants + 8, &element, sizeof element);
  runtime::SetConstantArea(constants, sizeof constants);
  runtime::FreeArrayValue(constants, type::kText | type::kArrayBit);
  runtime::SetConstantArea(nullptr, 0);
  EXPECT_STREQ(element, "abc");
  runtime::Free(element);
}

TEST(FreeArrayValue, DoesNotWalkElementsOfADamagedBlock) {
  // Element slots holding garbage: walking them would free a wild pointer.
  auto block = static_cast<uint8_t*>(runtime::Allocate(8 + sizeof(void*)));
  const int32_t header[2] = {1, -1};
  std::memcpy(block, header, sizeof header);
  std::memset(block + 8, 0x5A, sizeof(void*));
  runtime::FreeArrayValue(block, type::kText | type::kArrayBit);
  runtime::FreeArrayValue(nullptr, type::kText | type::kArrayBit);
}

}  // namespace
}  // namespace values_test

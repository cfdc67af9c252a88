#include "base/program/memory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/program/bridge.h"

namespace {

class ConstantAreaTest : public testing::Test {
 protected:
  void SetUp() override { runtime::SetConstantArea(area_, sizeof area_); }
  void TearDown() override { runtime::SetConstantArea(nullptr, 0); }
  char area_[16] = "abc\0defghijklmn";
};

TEST_F(ConstantAreaTest, FreeIgnoresNullAndConstantBlocks) {
  runtime::Free(nullptr);
  runtime::Free(area_ + 4);
  EXPECT_STREQ(area_ + 4, "defghijklmn");
  EXPECT_TRUE(runtime::InConstantArea(area_));
  EXPECT_TRUE(runtime::InConstantArea(area_ + 15));
  EXPECT_FALSE(runtime::InConstantArea(area_ + 16));
}

TEST_F(ConstantAreaTest, ResizingAConstantBlockCopiesUpToTheEndOfTheArea) {
  char* grown = static_cast<char*>(runtime::Resize(area_ + 4, 64));
  ASSERT_NE(grown, area_ + 4);
  EXPECT_EQ(std::memcmp(grown, area_ + 4, 12), 0);
  EXPECT_FALSE(runtime::InConstantArea(grown));
  runtime::Free(grown);

  char* shrunk = static_cast<char*>(runtime::Resize(area_, 2));
  EXPECT_EQ(std::memcmp(shrunk, "ab", 2), 0);
  runtime::Free(shrunk);
  EXPECT_STREQ(area_, "abc");
}

TEST(Memory, ResizeKeepsContentAndNullIsAnAllocation) {
  char* block = static_cast<char*>(runtime::Resize(nullptr, 4));
  std::memcpy(block, "xyz", 4);
  block = static_cast<char*>(runtime::Resize(block, 4096));
  EXPECT_STREQ(block, "xyz");
  runtime::Free(block);
}

TEST(MemoryDeath, AnAllocationThatCannotBeServedEndsTheProgram) {
  EXPECT_EXIT(runtime::Allocate(SIZE_MAX / 2), testing::ExitedWithCode(255),
              "分配 9223372036854775807 字节内存失败!");
  EXPECT_EXIT(runtime::Bridge().allocate(-5), testing::ExitedWithCode(255), "分配 -5 字节内存失败!");
}

}  // namespace

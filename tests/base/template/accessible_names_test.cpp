// The table of accessible names beside the template: written and read back, and damaged tables
// refused whole instead of read in part or past their end.
#include <gtest/gtest.h>

#include "base/template/accessible_names.h"
#include "platform/little_endian.h"

namespace {

using runtime::AccessibleEntry;
using runtime::ReadAccessibleNames;
using runtime::WriteAccessibleNames;

TEST(AccessibleNamesTest, ATableReadsBackAsWrittenAndNoDataIsNoNames) {
  const std::vector<AccessibleEntry> entries = {{0x5201002d, 0x16010034, 2, "\xbe\xba", ""},
                                                {0x5201002d, 0x0601002c, 0, "", "desc"}};
  std::optional<std::vector<AccessibleEntry>> read = ReadAccessibleNames(WriteAccessibleNames(entries));
  ASSERT_TRUE(read);
  ASSERT_EQ(read->size(), 2u);
  EXPECT_EQ((*read)[0].unitId, 0x16010034u);
  EXPECT_EQ((*read)[0].readingOrder, 2);
  EXPECT_EQ((*read)[0].name, "\xbe\xba");
  EXPECT_EQ((*read)[1].description, "desc");
  ASSERT_TRUE(ReadAccessibleNames({}));
  EXPECT_TRUE(ReadAccessibleNames({})->empty());
}

TEST(AccessibleNamesTest, ADamagedTableIsRefusedWhole) {
  const std::vector<uint8_t> good = WriteAccessibleNames({{1, 2, 3, "name", "text"}});
  ASSERT_TRUE(ReadAccessibleNames(good));
  // Cut anywhere.
  for (size_t length = 1; length < good.size(); ++length)
    EXPECT_FALSE(ReadAccessibleNames(std::span(good).first(length))) << length;
  // A byte left over.
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_FALSE(ReadAccessibleNames(longer));
  // A later version.
  std::vector<uint8_t> later = good;
  platform::StoreU32(later.data(), runtime::kAccessibleNamesVersion + 1);
  EXPECT_FALSE(ReadAccessibleNames(later));
  // A count of entries the bytes cannot hold, and a name longer than what follows.
  std::vector<uint8_t> counted = good;
  platform::StoreU32(counted.data() + 4, 0x7fffffff);
  EXPECT_FALSE(ReadAccessibleNames(counted));
  std::vector<uint8_t> named = good;
  platform::StoreU32(named.data() + 20, 0x7ffffff0);
  EXPECT_FALSE(ReadAccessibleNames(named));
}

}  // namespace

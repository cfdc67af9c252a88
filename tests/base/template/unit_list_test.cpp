#include "base/template/unit_list.h"

#include <gtest/gtest.h>

#include <string>

#include "base/template/template_window.h"
#include "base/template/unit_record.h"
#include "tests/base/template/template_bytes.h"

namespace runtime {
namespace {

using testing::Bytes;
using testing::UnitBuffer;
using testing::UnitFields;
using testing::UnitRecord;

constexpr uint32_t kIds[] = {0x06010000, 0x16010002, 0x16010003};

UnitList ThreeUnits() {
  std::vector<std::vector<uint8_t>> records;
  for (const char* name : {"w", "a", "b"}) {
    UnitFields f;
    f.name = name;
    f.tag = name;
    f.data = {9, 8};
    records.push_back(UnitRecord(f));
  }
  return *UnitList::FromBytes(3, UnitBuffer({kIds[0], kIds[1], kIds[2]}, records));
}

std::string Tag(const UnitList& list, uint32_t index) { return std::string(UnitRecordView(list.EntryAt(index)->record).Tag()); }

TEST(UnitList, ReplaceBytesMovesLaterRecords) {
  UnitList list = ThreeUnits();
  UnitRecordView a(list.EntryAt(1)->record);
  size_t tag = a.Layout().tag;
  size_t oldSize = list.EntryAt(1)->record.size();
  std::string longer = "longer tag";
  ASSERT_TRUE(list.ReplaceBytes(1, static_cast<int64_t>(tag), 2,
                                std::span(reinterpret_cast<const uint8_t*>(longer.c_str()), longer.size() + 1)));
  EXPECT_EQ(list.EntryAt(1)->record.size(), oldSize + longer.size() - 1);
  EXPECT_EQ(Tag(list, 0), "w");
  EXPECT_EQ(Tag(list, 1), "longer tag");
  EXPECT_EQ(Tag(list, 2), "b");
  EXPECT_EQ(UnitRecordView(list.EntryAt(1)->record).TabOrder(), 0u);
  EXPECT_EQ(UnitRecordView(list.EntryAt(2)->record).PropertyData().size(), 2u);

  // Shrinking back restores the original bytes.
  UnitList original = ThreeUnits();
  ASSERT_TRUE(list.ReplaceBytes(1, static_cast<int64_t>(tag), static_cast<int64_t>(longer.size() + 1),
                                std::vector<uint8_t>{'a', 0}));
  EXPECT_EQ(list.Bytes(), original.Bytes());
}

TEST(UnitList, ReplaceWholeRecordAndRejectRangesOutside) {
  UnitList list = ThreeUnits();
  UnitFields f;
  f.name = "replacement";
  std::vector<uint8_t> record = UnitRecord(f);
  ASSERT_TRUE(list.ReplaceBytes(0, 123, -1, record));
  EXPECT_EQ(UnitRecordView(list.EntryAt(0)->record).Name(), "replacement");
  EXPECT_EQ(Tag(list, 2), "b");

  std::vector<uint8_t> before = list.Bytes();
  size_t size = list.EntryAt(1)->record.size();
  EXPECT_FALSE(list.ReplaceBytes(1, static_cast<int64_t>(size), 1, std::vector<uint8_t>{0}));
  EXPECT_FALSE(list.ReplaceBytes(1, -1, 1, std::vector<uint8_t>{0}));
  EXPECT_FALSE(list.ReplaceBytes(1, 0, -2, std::vector<uint8_t>{0}));
  EXPECT_FALSE(list.ReplaceBytes(3, 0, 0, std::vector<uint8_t>{0}));
  EXPECT_EQ(list.Bytes(), before);
}

TEST(UnitList, NavigatorsStayInsideAfterAnEditBreaksARecord) {
  UnitList list = ThreeUnits();
  size_t tag = UnitRecordView(list.EntryAt(2)->record).Layout().tag;
  size_t size = list.EntryAt(2)->record.size();
  // Everything from the tag on becomes one unterminated byte.
  ASSERT_TRUE(list.ReplaceBytes(2, static_cast<int64_t>(tag), static_cast<int64_t>(size - tag), std::vector<uint8_t>{'x'}));
  UnitRecordView broken(list.EntryAt(2)->record);
  EXPECT_FALSE(broken.Valid());
  EXPECT_EQ(broken.Tag(), "");
  EXPECT_TRUE(broken.Bindings().empty());
  EXPECT_TRUE(broken.PropertyData().empty());
  EXPECT_EQ(Tag(list, 1), "a");
}

TEST(UnitList, OffsetsFollowStoragePositionNotIndex) {
  // Entry 0 is stored after entry 1; growing entry 1 must move entry 0.
  UnitFields first;
  first.name = "first";
  UnitFields second;
  second.name = "second";
  std::vector<uint8_t> r0 = UnitRecord(first);
  std::vector<uint8_t> r1 = UnitRecord(second);
  std::vector<uint8_t> buffer = Bytes()
                                    .U32(kIds[0])
                                    .U32(kIds[1])
                                    .U32(static_cast<uint32_t>(4 + r1.size()))
                                    .U32(0)
                                    .Block(r1)
                                    .Block(r0)
                                    .Get();
  UnitList list = *UnitList::FromBytes(2, buffer);
  ASSERT_TRUE(list.ReplaceBytes(1, static_cast<int64_t>(r1.size()), 0, std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(UnitRecordView(list.EntryAt(0)->record).Name(), "first");
  EXPECT_EQ(UnitRecordView(list.EntryAt(1)->record).PropertyData().size(), 3u);
}

TEST(UnitList, PristineCopyRestoresRecordsAndEmptiesSlots) {
  TemplateWindow window;
  window.units = ThreeUnits();
  std::vector<uint8_t> original = window.units.Bytes();
  int unit = 0;
  int cursor = 0;

  window.TakePristineCopy();
  EXPECT_TRUE(window.units.SetLiveObject(1, &unit));
  EXPECT_TRUE(window.units.SetCursor(1, &cursor));
  EXPECT_FALSE(window.units.SetCursor(3, &cursor));
  ASSERT_TRUE(window.units.ReplaceBytes(1, -1, -1, UnitRecord({})));
  EXPECT_EQ(window.units.LiveObject(1), &unit);
  EXPECT_EQ(window.pristine->LiveObject(1), nullptr);

  window.RestorePristineCopy();
  EXPECT_EQ(window.units.Bytes(), original);
  EXPECT_EQ(window.units.LiveObject(1), nullptr);
  EXPECT_EQ(window.units.Cursor(1), nullptr);
  EXPECT_FALSE(window.pristine);

  // Without a copy the records stay and only the slots are emptied.
  window.units.SetLiveObject(0, &unit);
  window.RestorePristineCopy();
  EXPECT_EQ(window.units.Bytes(), original);
  EXPECT_EQ(window.units.LiveObject(0), nullptr);
}

TEST(UnitList, PropertyDataIsFoundInTheOriginalBytesUntilItsRecordChanges) {
  std::vector<std::vector<uint8_t>> records;
  for (const char* name : {"w", "a", "b"}) {
    UnitFields f;
    f.name = name;
    f.data = {9, 8, static_cast<uint8_t>(name[0])};
    records.push_back(UnitRecord(f));
  }
  const std::vector<uint8_t> original = UnitBuffer({kIds[0], kIds[1], kIds[2]}, records);
  UnitList list = *UnitList::FromBytes(3, original, original.data());
  auto propertyData = [&list](uint32_t index) { return UnitRecordView(list.EntryAt(index)->record).PropertyData(); };
  for (uint32_t i = 0; i < 3; ++i) {
    std::span<const uint8_t> found = list.Original(i, propertyData(i));
    ASSERT_EQ(found.size(), 3u);
    EXPECT_GE(found.data(), original.data());
    EXPECT_LE(found.data() + found.size(), original.data() + original.size());
    EXPECT_TRUE(std::equal(found.begin(), found.end(), propertyData(i).begin()));
  }
  // Record 1 grows: it no longer matches; record 2 moved in the list, not in the original.
  const uint8_t more[] = {1, 2, 3, 4};
  ASSERT_TRUE(list.ReplaceBytes(1, static_cast<int64_t>(UnitRecordView(list.EntryAt(1)->record).Layout().tag), 0, more));
  EXPECT_TRUE(list.Original(1, propertyData(1)).empty());
  std::span<const uint8_t> moved = list.Original(2, propertyData(2));
  ASSERT_EQ(moved.size(), 3u);
  EXPECT_EQ(moved[2], 'b');
  // A copy keeps what is known; bytes outside the record are refused; a list without an origin
  // knows none.
  UnitList copy = list.CopyWithoutSlots();
  EXPECT_EQ(copy.Original(2, UnitRecordView(copy.EntryAt(2)->record).PropertyData()).data(), moved.data());
  EXPECT_TRUE(list.Original(0, propertyData(2)).empty());
  EXPECT_TRUE(UnitList::FromBytes(3, original)->Original(0, propertyData(0)).empty());
}

TEST(UnitList, SharedRecordIsRelocatedOnce) {
  UnitFields f;
  f.bindings = {{0, 58}};
  std::vector<uint8_t> record = UnitRecord(f);
  // Two entries pointing at one record.
  std::vector<uint8_t> buffer = Bytes().U32(kIds[1]).U32(kIds[2]).U32(0).U32(0).Block(record).Get();
  UnitList list = *UnitList::FromBytes(2, buffer);
  const int32_t handlers[] = {7, 58};
  ASSERT_TRUE(list.RelocateHandlers(handlers));
  EXPECT_EQ(UnitRecordView(list.EntryAt(1)->record).Bindings()[0].handler, 2);
}

}  // namespace
}  // namespace runtime

// The registry, the host notify functions kept per library, and a unit type registering itself,
// in a program where no support library is linked: every registration here is the test's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/program/notify_codes.h"
#include "contract/library_host.h"
#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"

namespace units {
namespace {

void* AnswerOne(int32_t number) { return number == 1 ? reinterpret_cast<void*>(&AnswerOne) : nullptr; }
void* AnswerTwo(int32_t number) { return number == 2 ? reinterpret_cast<void*>(&AnswerTwo) : nullptr; }

intptr_t HostA(int32_t, intptr_t, intptr_t) { return 1; }
intptr_t HostB(int32_t, intptr_t, intptr_t) { return 2; }

TEST(UnitTypeRegistry, FindsWhatRegisteredAndNothingElse) {
  const uint32_t first = MakeUnitTypeId(7, 2);
  const uint32_t second = MakeUnitTypeId(7, 1);
  ASSERT_TRUE(RegisterUnitType(first, AnswerOne));
  ASSERT_TRUE(RegisterUnitType(second, AnswerTwo));

  EXPECT_EQ(RegisteredGetInterface(first), &AnswerOne);
  EXPECT_EQ(RegisteredGetInterface(second), &AnswerTwo);
  EXPECT_EQ(RegisteredPropertyTable(first), nullptr);
  EXPECT_EQ(ForwardGetInterface<MakeUnitTypeId(7, 1)>(2), reinterpret_cast<void*>(&AnswerTwo));
  // Lowest id first, whatever the order of registration.
  const std::vector<uint32_t> ids = RegisteredUnitTypes();
  ASSERT_GE(ids.size(), 2u);
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));

  // Ids beside the registered ones, and one of a library nothing registered in, are unknown.
  for (uint32_t unknown : {MakeUnitTypeId(7, 3), MakeUnitTypeId(6, 2), MakeUnitTypeId(8, 1)}) {
    EXPECT_EQ(RegisteredGetInterface(unknown), nullptr);
    EXPECT_EQ(RegisteredPropertyTable(unknown), nullptr);
  }
  for (int32_t number = 0; number <= 12; ++number)
    EXPECT_EQ(ForwardGetInterface<MakeUnitTypeId(7, 3)>(number), nullptr);
}

TEST(LibraryHost, KeepsEachLibrarysFunctionByNumber) {
  EXPECT_EQ(LibraryHostNotify(3), nullptr);  // never told
  EXPECT_EQ(KeepHostNotify<3>(runtime::library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(&HostA), 0), 0);
  KeepHostNotify<kMostLibraries>(runtime::library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(&HostB), 0);
  EXPECT_EQ(LibraryHostNotify(3), &HostA);
  EXPECT_EQ(LibraryHostNotify(kMostLibraries), &HostB);
  EXPECT_EQ(LibraryHostNotify(4), nullptr);

  // Other codes leave it; handing over null takes it back.
  KeepHostNotify<3>(runtime::library_notify::kShutdown, reinterpret_cast<intptr_t>(&HostB), 0);
  EXPECT_EQ(LibraryHostNotify(3), &HostA);
  KeepHostNotify<3>(runtime::library_notify::kSetHostNotify, 0, 0);
  EXPECT_EQ(LibraryHostNotify(3), nullptr);

  EXPECT_FALSE(KeepLibraryHostNotify(0, HostA));
  EXPECT_FALSE(KeepLibraryHostNotify(kMostLibraries + 1, HostA));
  EXPECT_EQ(LibraryHostNotify(0), nullptr);
  EXPECT_EQ(LibraryHostNotify(kMostLibraries + 1), nullptr);
  KeepLibraryHostNotify(kMostLibraries, nullptr);
}

// A small tabled type of the test's own, in library 9.
struct BoxState {
  int32_t level;
  std::string caption;
  std::vector<uint8_t> picture;
};
class Box;
constexpr PropertyRow<BoxState, Box> kBoxRows[] = {
    {.name = "Level", .type = property_type::kInteger, .word = &BoxState::level, .stored = 0, .initial = 4},
    {.name = "Caption", .type = property_type::kText, .text = &BoxState::caption, .stored = 1},
    {.name = "Picture", .type = property_type::kPicture, .bytes = &BoxState::picture, .stored = 2},
};
constexpr PropertyTable kBoxTable{kBoxRows, 1};
using BoxType = TabledUnitType<kBoxTable>;

class Box : public UnitWidget<QWidget> {
 public:
  Box(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent)
      : UnitWidget(identity, std::move(properties), parent) {}
};

constexpr uint32_t kBoxLibrary = 9;
constexpr uint32_t kBoxTypeId = MakeUnitTypeId(kBoxLibrary, 1);

int32_t gEvents = 0;
intptr_t CountingHost(int32_t code, intptr_t, intptr_t) {
  if (code == runtime::notify::kRaiseEvent) ++gEvents;
  return 1;
}

void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "contract_registration_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

Unit* CreateBox(uint32_t style, uint32_t unitId, std::span<const uint8_t> data = {}) {
  const auto create = reinterpret_cast<CreateUnitFn>(ForwardGetInterface<kBoxTypeId>(interface_number::kCreateUnit));
  if (create == nullptr) return nullptr;
  return create(data.data(), static_cast<int32_t>(data.size()), style, nullptr, 0, nullptr, 3, 4, 50, 60, 0x52010001,
                unitId, 0, 0);
}

// The type registers once, with the shared operations, and makes its units with the rectangle,
// style and identity of the request; a unit reports through the function its library was handed,
// and one made while the library has none is still made, reporting nowhere. Data of a later
// version makes no unit.
TEST(TabledUnitTypeRegistration, MakesUnitsThatReportThroughTheirLibrary) {
  EnsureApplication();
  ASSERT_TRUE(BoxType::Register<Box>(kBoxTypeId));
  EXPECT_FALSE(BoxType::Register<Box>(kBoxTypeId));
  EXPECT_FALSE(BoxType::Register<Box>(MakeUnitTypeId(kBoxLibrary, 2)));
  EXPECT_EQ(RegisteredGetInterface(MakeUnitTypeId(kBoxLibrary, 2)), nullptr);
  EXPECT_EQ(RegisteredPropertyTable(kBoxTypeId), BoxType::View());
  EXPECT_NE(ForwardGetInterface<kBoxTypeId>(interface_number::kGetProperty), nullptr);
  EXPECT_NE(ForwardGetInterface<kBoxTypeId>(interface_number::kEnumTexts), nullptr);
  EXPECT_EQ(ForwardGetInterface<kBoxTypeId>(interface_number::kPropertyApplicable), nullptr);

  std::unique_ptr<Unit> deaf(CreateBox(window_style::kDisabled, 7));
  ASSERT_NE(deaf, nullptr);
  EXPECT_EQ(deaf->Host(), nullptr);
  EXPECT_FALSE(deaf->widget()->isEnabled());
  EXPECT_EQ(deaf->widget()->geometry(), QRect(3, 4, 50, 60));
  EXPECT_EQ(BoxType::StateOf(*BoxType::Cast(deaf.get())).level, 4);
  EXPECT_FALSE(deaf->ReportEvent(1).handled);

  ASSERT_TRUE(KeepLibraryHostNotify(kBoxLibrary, CountingHost));
  std::unique_ptr<Unit> told(CreateBox(0, 8));
  ASSERT_NE(told, nullptr);
  EXPECT_EQ(told->WindowId(), 0x52010001u);
  EXPECT_EQ(told->UnitId(), 8u);
  EXPECT_TRUE(told->widget()->isEnabled());
  EXPECT_TRUE(told->ReportEvent(1).handled);
  EXPECT_EQ(gEvents, 1);
  KeepLibraryHostNotify(kBoxLibrary, nullptr);

  const uint8_t laterVersion[] = {2, 0, 0, 0};
  EXPECT_EQ(CreateBox(0, 9, laterVersion), nullptr);
}

// A second claim on an id, an id naming no library or no type, and a null function are refused,
// and so is anything past the registry's bound; what registered first stays. Last in the file: it
// fills the registry.
TEST(UnitTypeRegistryRefusals, RefusesWhatIsNotANewTypeAndStaysBounded) {
  const uint32_t id = MakeUnitTypeId(5, 5);
  ASSERT_TRUE(RegisterUnitType(id, AnswerOne));
  EXPECT_FALSE(RegisterUnitType(id, AnswerTwo));
  EXPECT_FALSE(RegisterUnitType(id, AnswerOne));
  EXPECT_EQ(RegisteredGetInterface(id), &AnswerOne);
  EXPECT_FALSE(RegisterUnitType(MakeUnitTypeId(0, 5), AnswerOne));
  EXPECT_FALSE(RegisterUnitType(MakeUnitTypeId(5, 0), AnswerOne));
  EXPECT_FALSE(RegisterUnitType(MakeUnitTypeId(5, 6), nullptr));
  EXPECT_EQ(RegisteredGetInterface(MakeUnitTypeId(5, 6)), nullptr);

  uint32_t type = 1;
  while (RegisterUnitType(MakeUnitTypeId(6, type), AnswerTwo)) ++type;
  EXPECT_EQ(RegisteredUnitTypes().size(), kMostRegisteredTypes);
  EXPECT_EQ(RegisteredGetInterface(MakeUnitTypeId(6, type)), nullptr);
  EXPECT_EQ(RegisteredGetInterface(id), &AnswerOne);
  EXPECT_EQ(RegisteredGetInterface(MakeUnitTypeId(6, type - 1)), &AnswerTwo);
}

}  // namespace
}  // namespace units

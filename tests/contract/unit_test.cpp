#include "contract/unit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "base/program/memory.h"
#include "base/program/notify_codes.h"

namespace units {
namespace {

struct LabelProperties : PropertyObject {
  std::string text;
  LabelProperties() { Reset(); }
  void Reset() override { text = "label"; }
  void Serialise(PropertyArchive& a) override {
    a.Version(1);
    a.Text(text);
  }
};

class TestUnit : public UnitWidget<QLineEdit> {
  Q_OBJECT

 public:
  TestUnit(const UnitIdentity& identity, QWidget* parent)
      : UnitWidget(identity, std::make_unique<LabelProperties>(), parent) {
    setText("alive");
  }
};

struct Call {
  int32_t code;
  intptr_t arg1;
  intptr_t arg2;
};

// The host notify function the test units report to.
std::vector<Call> gCalls;
std::function<intptr_t(int32_t, intptr_t, intptr_t)> gHost;

intptr_t FakeHost(int32_t code, intptr_t arg1, intptr_t arg2) {
  gCalls.push_back({code, arg1, arg2});
  return gHost ? gHost(code, arg1, arg2) : 0;
}

class UnitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QApplication::instance() == nullptr) {
      static int argc = 1;
      static char name[] = "contract_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
  }
  void SetUp() override {
    gCalls.clear();
    gHost = nullptr;
  }
  void TearDown() override { gHost = nullptr; }

  static constexpr UnitIdentity kIds{0x52000001, 0x16000007, FakeHost};
};

TEST_F(UnitTest, EventReportCarriesIdsArgumentsAndTheHandlersResult) {
  QWidget window;
  auto* unit = new TestUnit(kIds, &window);
  EventReport seen{};
  gHost = [&](int32_t code, intptr_t arg1, intptr_t) -> intptr_t {
    if (code != runtime::notify::kRaiseEvent) return 0;
    auto* report = reinterpret_cast<EventReport*>(arg1);
    seen = *report;
    report->hasResult = 1;
    report->result = -9;
    return 1;
  };
  int local = 0;
  EventOutcome out = unit->ReportEvent(-3, 1, &local, true);
  EXPECT_EQ(seen.windowId, 0x52000001u);
  EXPECT_EQ(seen.unitId, 0x16000007u);
  EXPECT_EQ(seen.event, -3);
  ASSERT_EQ(seen.argumentCount, 3);
  EXPECT_EQ(seen.arguments[0], 1);
  EXPECT_EQ(seen.arguments[1], reinterpret_cast<intptr_t>(&local));  // a whole 64-bit pointer
  EXPECT_EQ(seen.arguments[2], 1);
  EXPECT_EQ(seen.hasResult, 0);  // the host gets the result fields cleared
  EXPECT_TRUE(out.handled);
  EXPECT_TRUE(out.hasResult);
  EXPECT_EQ(out.result, -9);
  EXPECT_TRUE(out.unitAlive);
  EXPECT_FALSE(out.ReturnedFalse());

  // No handler bound: delivered to nobody, no result.
  gHost = [](int32_t, intptr_t, intptr_t) -> intptr_t { return 0; };
  out = unit->ReportEvent(0);
  EXPECT_FALSE(out.handled);
  EXPECT_FALSE(out.hasResult);
}

TEST_F(UnitTest, HandlerThatReturnsFalseIsSeenAsAVeto) {
  QWidget window;
  auto* unit = new TestUnit(kIds, &window);
  gHost = [](int32_t code, intptr_t arg1, intptr_t) -> intptr_t {
    if (code != runtime::notify::kRaiseEvent) return 0;
    auto* report = reinterpret_cast<EventReport*>(arg1);
    report->hasResult = 1;
    report->result = 0;
    return 1;
  };
  EXPECT_TRUE(unit->ReportEvent(1).ReturnedFalse());
}

// The handler closes the unit's window: the unit learns it is gone, and the host heard of the
// destruction during the report.
TEST_F(UnitTest, HandlerMayDestroyTheUnitDuringTheReport) {
  auto* window = new QWidget;
  auto* unit = new TestUnit(kIds, window);
  gHost = [&](int32_t code, intptr_t, intptr_t) -> intptr_t {
    if (code == runtime::notify::kRaiseEvent) delete window;
    return 1;
  };
  EventOutcome out = unit->ReportEvent(0);
  EXPECT_TRUE(out.handled);
  EXPECT_FALSE(out.unitAlive);
  ASSERT_EQ(gCalls.size(), 2u);
  EXPECT_EQ(gCalls[1].code, runtime::notify::kUnitDestroyed);
}

TEST_F(UnitTest, TypedEventReportCarriesValueRecordsAndAnEightByteResult) {
  QWidget window;
  auto* unit = new TestUnit(kIds, &window);
  TypedEventReport seen{};
  gHost = [&](int32_t code, intptr_t arg1, intptr_t) -> intptr_t {
    if (code != runtime::notify::kRaiseTypedEvent) return 0;
    auto* report = reinterpret_cast<TypedEventReport*>(arg1);
    seen = *report;
    report->hasResult = 1;
    report->result = 0x100000002LL;
    return 1;
  };
  int32_t cancel = 0;
  TypedArgument args[2] = {};
  args[0].value = runtime::MakeValue(runtime::type::kText);
  args[0].value.text = "http://a";
  args[1].value = runtime::MakeValue(runtime::type::kBool);
  args[1].value.ptr = &cancel;
  args[1].flags = typed_argument::kByReference;
  EventOutcome out = unit->ReportTypedEvent(0, args);
  EXPECT_EQ(seen.windowId, 0x52000001u);
  EXPECT_EQ(seen.unitId, 0x16000007u);
  ASSERT_EQ(seen.argumentCount, 2);
  EXPECT_STREQ(seen.arguments[0].value.text, "http://a");
  EXPECT_EQ(seen.arguments[1].value.ptr, &cancel);
  EXPECT_EQ(seen.arguments[1].flags, typed_argument::kByReference);
  EXPECT_TRUE(out.handled);
  EXPECT_TRUE(out.hasResult);
  EXPECT_EQ(out.result, 0x100000002LL);

  // Thirteen arguments do not fit: nothing is sent rather than a cut-down report.
  gCalls.clear();
  TypedArgument many[13] = {};
  EXPECT_FALSE(unit->ReportTypedEvent(1, many).handled);
  EXPECT_TRUE(gCalls.empty());
}

// The host hears of the destruction once, with the ids, while the widget is still whole, whether
// the unit is deleted itself or with its parent window.
TEST_F(UnitTest, DestructionIsReportedWhileTheWidgetStillExists) {
  for (bool withParent : {false, true}) {
    SCOPED_TRACE(withParent);
    gCalls.clear();
    auto* window = new QWidget;
    auto* unit = new TestUnit(kIds, window);
    QWidget* parentSeen = nullptr;
    QString textSeen;
    gHost = [&](int32_t code, intptr_t, intptr_t) -> intptr_t {
      if (code == runtime::notify::kUnitDestroyed) {
        parentSeen = unit->widget()->parentWidget();
        textSeen = static_cast<QLineEdit*>(unit->widget())->text();
      }
      return 0;
    };
    if (withParent) {
      delete window;
    } else {
      delete unit;
      delete window;
    }
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].code, runtime::notify::kUnitDestroyed);
    EXPECT_EQ(gCalls[0].arg1, 0x52000001);
    EXPECT_EQ(gCalls[0].arg2, 0x16000007);
    EXPECT_EQ(parentSeen, window);
    EXPECT_EQ(textSeen, "alive");
  }
}

TEST_F(UnitTest, WithoutAHostNothingIsReported) {
  QWidget window;
  auto* unit = new TestUnit(UnitIdentity{1, 2, nullptr}, &window);
  EventOutcome out = unit->ReportEvent(0);
  EXPECT_FALSE(out.handled);
  EXPECT_TRUE(out.unitAlive);
  delete unit;  // no host to tell: must not crash
}

TEST_F(UnitTest, GetAllPropertyDataServesTheUnitsProperties) {
  QWidget window;
  auto* unit = new TestUnit(kIds, &window);
  static_cast<LabelProperties&>(unit->Properties()).text = "ab";
  int32_t length = 0;
  void* block = GetAllPropertyData(unit, &length);
  ASSERT_NE(block, nullptr);
  const uint8_t expected[] = {1, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'};
  ASSERT_EQ(length, static_cast<int32_t>(sizeof expected));
  EXPECT_EQ(std::memcmp(block, expected, sizeof expected), 0);
  runtime::Free(block);
}

}  // namespace
}  // namespace units

#include "unit_test.moc"

#include <QEventLoop>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/exit.h"
#include "base/program/runtime_error.h"
#include "tests/host/host_fixture.h"

namespace host_test {
namespace {

constexpr uint32_t kFirst = 0x16000002;
constexpr uint32_t kSharing = 0x16000003;
constexpr uint32_t kOther = 0x16000004;

class EventTest : public HostTest {
 protected:
  // Three controls: the first carries the bindings, the second names it as its event source, the
  // third is a paged container that names it too but is of another type.
  void StartWith(std::vector<formtool::FormBinding> bindings) {
    formtool::FormWindow main = MakeWindow(kMain, kMainOwn);
    formtool::FormUnit first = Control(kFirst), sharing = Control(kSharing), other = Control(kOther, 0, 0, kPagedType);
    first.bindings = std::move(bindings);
    sharing.eventSource = kFirst;
    other.eventSource = kFirst;
    main.units = {main.units[0], first, sharing, other};
    Start({main});
    runtime::LoadStartupWindow(kMain);
  }
};

TEST_F(EventTest, AHandlerGetsTheArgumentsAndTheSenderAndGivesItsResult) {
  std::vector<intptr_t> seen;
  runtime::notify::EventSenderIds sender{};
  StartWith({{2, Handler([&](const intptr_t* args, int32_t count, int64_t* result) {
    seen.assign(args, args + count);
    runtime::HostNotifyFunction(runtime::notify::kEventSender, reinterpret_cast<intptr_t>(&sender), 0);
    *result = 41;
    return true;
  })}});
  units::EventOutcome outcome = Live(kMain, kFirst)->ReportEvent(2, 7, -8);
  EXPECT_TRUE(outcome.handled);
  EXPECT_TRUE(outcome.hasResult);
  EXPECT_EQ(outcome.result, 41);
  EXPECT_EQ(seen, (std::vector<intptr_t>{7, -8}));
  EXPECT_EQ(sender.windowId, kMain);
  EXPECT_EQ(sender.unitId, kFirst);
  // Outside a handler there is no sender.
  EXPECT_EQ(runtime::HostNotifyFunction(runtime::notify::kEventSender, reinterpret_cast<intptr_t>(&sender), 0), 0);
  // An event nobody bound is not handled.
  EXPECT_FALSE(Live(kMain, kFirst)->ReportEvent(3).handled);
}

TEST_F(EventTest, UnitsShareTheHandlersOfAnEventSourceOfTheirOwnType) {
  std::vector<uint32_t> senders;
  StartWith({{0, Handler([&](const intptr_t*, int32_t, int64_t*) {
    runtime::notify::EventSenderIds sender{};
    runtime::HostNotifyFunction(runtime::notify::kEventSender, reinterpret_cast<intptr_t>(&sender), 0);
    senders.push_back(sender.unitId);
    return false;
  })}});
  EXPECT_TRUE(Live(kMain, kSharing)->ReportEvent(0).handled);
  EXPECT_FALSE(Live(kMain, kOther)->ReportEvent(0).handled);  // another type: the chain stops
  EXPECT_EQ(senders, (std::vector<uint32_t>{kSharing}));  // the sender is the unit itself
}

TEST_F(EventTest, TypedArgumentsArriveAsWordsByTheirType) {
  std::vector<intptr_t> seen;
  StartWith({{1, Handler([&](const intptr_t* args, int32_t count, int64_t* result) {
    seen.assign(args, args + count);
    *reinterpret_cast<int32_t*>(args[3]) = 1;  // a by-reference argument the handler writes
    *result = int64_t{1} << 40;
    return true;
  })}});
  int32_t cancel = 0;
  units::TypedArgument args[4] = {};
  args[0].value = runtime::MakeValue(runtime::type::kByte);
  args[0].value.bytes[0] = 200;
  args[1].value = runtime::MakeValue(runtime::type::kShort);
  args[1].value.i16 = -2;
  args[2].value = runtime::MakeValue(runtime::type::kDouble);
  args[2].value.f64 = 1.5;
  args[3].value = runtime::MakeValue(runtime::type::kBool);
  args[3].value.ptr = &cancel;
  args[3].flags = units::typed_argument::kByReference;
  units::EventOutcome outcome = Live(kMain, kFirst)->ReportTypedEvent(1, args);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0], 200);
  EXPECT_EQ(seen[1], -2);
  double d;
  std::memcpy(&d, &seen[2], sizeof d);
  EXPECT_EQ(d, 1.5);
  EXPECT_EQ(cancel, 1);
  EXPECT_EQ(outcome.result, int64_t{1} << 40);
}

TEST_F(EventTest, NothingIsDeliveredWhileEventsAreSuppressed) {
  int runs = 0;
  StartWith({{0, Handler([&](const intptr_t*, int32_t, int64_t*) { return ++runs, false; })}});
  runtime::HostNotifyFunction(runtime::notify::kBeginBuild, 0, 0);
  EXPECT_FALSE(Live(kMain, kFirst)->ReportEvent(0).handled);
  runtime::HostNotifyFunction(runtime::notify::kEndBuild, 0, 0);
  runtime::HostNotifyFunction(runtime::notify::kEndBuild, 0, 0);  // never below zero
  EXPECT_TRUE(Live(kMain, kFirst)->ReportEvent(0).handled);
  EXPECT_EQ(runs, 1);
}

TestControl* gReporter = nullptr;
std::thread::id gMainThread;

int32_t ReportFromErrorRoutine(int32_t, int32_t, const char*) {
  std::fprintf(stderr, "delivered=%d\n", gReporter->ReportEvent(0).handled ? 1 : 0);
  return 1;
}

void ShoutOnExit(int32_t) { std::fputs("exit callback\n", stderr); }

TEST_F(EventTest, ARuntimeErrorSuppressesEventsAndDropsTheExitCallbacks) {
  StartWith({{0, Handler([](const intptr_t*, int32_t, int64_t*) { return false; })}});
  gReporter = Live(kMain, kFirst);
  EXPECT_EXIT(
      {
        runtime::SetErrorRoutine(ReportFromErrorRoutine);
        runtime::RegisterExitCallback(ShoutOnExit);
        runtime::ReportRuntimeError("boom", 0);
      },
      testing::ExitedWithCode(255), "^delivered=0\n$");
}

TEST_F(EventTest, EventsOfUnknownWindowsOrUnitsEndTheProgram) {
  StartWith({});
  units::EventReport report{};
  report.windowId = 0x52000009;
  EXPECT_EXIT(runtime::HostNotifyFunction(runtime::notify::kRaiseEvent, reinterpret_cast<intptr_t>(&report), 0),
              testing::ExitedWithCode(255), "未找到引发事件的窗口");
  report.windowId = kMain;
  report.unitId = 0x16000099;
  EXPECT_EXIT(runtime::HostNotifyFunction(runtime::notify::kRaiseEvent, reinterpret_cast<intptr_t>(&report), 0),
              testing::ExitedWithCode(255), "未找到引发事件的窗口组件");
}

void SayWhere(int32_t) {
  std::fputs(std::this_thread::get_id() == gMainThread ? "main thread\n" : "other thread\n", stderr);
}

TEST_F(EventTest, TheExitServiceFromAnotherThreadEndsTheProgramOnTheMainThread) {
  StartWith({});
  EXPECT_EXIT(
      {
        gMainThread = std::this_thread::get_id();
        runtime::RegisterExitCallback(SayWhere);
        std::thread worker([] { runtime::Bridge().exit(3); });
        QEventLoop loop;
        loop.exec();
      },
      testing::ExitedWithCode(3), "^main thread\n$");
}

// The main thread is already ending the program when another thread asks to exit: that
// request is not taken, and the program ends once, with the main thread's code.
void ExitFromAnotherThreadMeanwhile(int32_t) {
  std::thread([] { runtime::Bridge().exit(7); }).detach();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  std::fputs("shutdown went on\n", stderr);
}

TEST_F(EventTest, AnExitFromAnotherThreadDuringShutdownLeavesTheEndToTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  StartWith({});
  EXPECT_EXIT(
      {
        runtime::RegisterExitCallback(ExitFromAnotherThreadMeanwhile);
        runtime::Bridge().exit(3);
      },
      testing::ExitedWithCode(3), "\nshutdown went on\n$");
}

int32_t SayWhereTheReportIs(int32_t, int32_t, const char* message) {
  std::fprintf(stderr, "%s on the %s thread\n", message,
               std::this_thread::get_id() == gMainThread ? "main" : "other");
  return 1;
}

TEST_F(EventTest, ARuntimeErrorOnAnotherThreadIsReportedOnTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  StartWith({});
  EXPECT_EXIT(
      {
        gMainThread = std::this_thread::get_id();
        runtime::SetErrorRoutine(SayWhereTheReportIs);
        runtime::RegisterExitCallback(ShoutOnExit);
        std::thread worker([] { runtime::ReportRuntimeError("boom", 0); });
        QEventLoop loop;
        loop.exec();
      },
      testing::ExitedWithCode(255), "\nboom on the main thread\n$");
}

int gShutdownStep = 0;
int gCallbackStep = 0;
void RecordCallback(int32_t) { gCallbackStep = ++gShutdownStep; }

TEST(HostShutdown, ExitCallbacksRunBeforeTheLibrariesHearTheEnd) {
  static int libraryStep = 0;
  static runtime::LibraryRecord library = TestLibrary();
  library.notify = [](int32_t code, intptr_t, intptr_t) -> intptr_t {
    if (code == runtime::library_notify::kShutdown) libraryStep = ++gShutdownStep;
    return 0;
  };
  {
    test_support::TestProgram program;
    program.Start({MakeWindow(kMain, kMainOwn)}, {&library});
    runtime::RegisterExitCallback(RecordCallback);
  }
  EXPECT_EQ(gCallbackStep, 1);
  EXPECT_EQ(libraryStep, 2);
}

}  // namespace
}  // namespace host_test

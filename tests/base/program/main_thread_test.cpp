// Requests of other threads that end the program: they end it on the main thread, once; a wait
// for a worker that made one does not hang.
#include "base/program/main_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/gbk.h"
#include "base/program/exit.h"
#include "base/program/memory.h"
#include "base/program/runtime_error.h"

namespace {

std::thread::id gMain;
std::atomic<bool> gWoken{false};

void Wake() { gWoken = true; }

// The main thread's loop: serves what another thread hands it.
[[noreturn]] void RunMainLoop() {
  for (;;) {
    if (gWoken.exchange(false)) runtime::ServeHandedRequest();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

const char* ThreadName() { return std::this_thread::get_id() == gMain ? "main" : "other"; }

void SayWhere(int32_t) { std::fprintf(stderr, "callback on the %s thread\n", ThreadName()); }

void PresentWhere(const std::string& gbkText) {
  std::fprintf(stderr, "%s|on the %s thread\n", platform::GbkToUtf8(gbkText).c_str(), ThreadName());
}

void BecomeMainThread(void (*wake)()) {
  gMain = std::this_thread::get_id();
  runtime::SetMainThread(gMain, wake);
}

TEST(MainThread, AWorkerRunsAndIsWaitedFor) {
  std::atomic<int> ran{0};
  runtime::WorkerThread worker([&ran] { ++ran; });
  EXPECT_TRUE(worker.Running());
  worker.Join();
  EXPECT_FALSE(worker.Running());
  EXPECT_EQ(ran, 1);
  worker = runtime::WorkerThread([&ran] { ++ran; });
  worker = runtime::WorkerThread();  // waits for the one it held
  EXPECT_EQ(ran, 2);
}

TEST(MainThreadDeath, AnotherThreadsExitEndsTheProgramOnTheMainThreadWithItsCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        BecomeMainThread(Wake);
        runtime::RegisterExitCallback(SayWhere);
        runtime::WorkerThread worker([] { runtime::ExitProgram(7); });
        RunMainLoop();
      },
      testing::ExitedWithCode(7), "^callback on the main thread\n$");
}

TEST(MainThreadDeath, AnotherThreadsRuntimeErrorIsReportedOnTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        BecomeMainThread(Wake);
        runtime::SetErrorPresenter(PresentWhere);
        runtime::WorkerThread worker([] { runtime::ReportRuntimeError("boom", 0); });
        RunMainLoop();
      },
      testing::ExitedWithCode(255), "错误信息：boom\r\n\\|on the main thread\n$");
}

// The main thread waits for the worker (as a picture box that goes waits for its animation)
// while the worker fails: the wait reports the failure instead of hanging.
TEST(MainThreadDeath, WaitingForAWorkerThatFailedReportsItsFailure) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        BecomeMainThread(+[] {});
        runtime::SetErrorPresenter(PresentWhere);
        runtime::WorkerThread worker([] { runtime::ReportAllocationFailure(1234); });
        worker.Join();
        std::fputs("the wait returned\n", stderr);
        std::exit(0);
      },
      testing::ExitedWithCode(255), "分配 1234 字节内存失败!\r\n\\|on the main thread\n$");
}

// Once the main thread ends the program, a worker's request is not taken and waiting for that
// worker does not hang; the program ends with the main thread's code.
void ExitFromAWorkerAndWait(int32_t) {
  runtime::WorkerThread worker([] { runtime::ExitProgram(7); });
  worker.Join();
  std::fputs("waited\n", stderr);
}

TEST(MainThreadDeath, ARequestAfterTheMainThreadBeganEndingIsNotTaken) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        BecomeMainThread(Wake);
        runtime::RegisterExitCallback(ExitFromAWorkerAndWait);
        runtime::ExitProgram(3);
      },
      testing::ExitedWithCode(3), "^waited\n$");
}

}  // namespace

#include "base/program/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/gbk.h"
#include "base/program/bridge.h"
#include "base/program/exit.h"

namespace {

std::string Utf8(const std::string& gbk) { return platform::GbkToUtf8(gbk); }

TEST(RuntimeErrorText, ShowsCodeAndMessageOnlyWhenPresent) {
  EXPECT_EQ(Utf8(runtime::RuntimeErrorText(0, "")), "运行时出错!\r\n\r\n");
  EXPECT_EQ(Utf8(runtime::RuntimeErrorText(5, "")), "运行时出错!\r\n\r\n错误代码：5\r\n\r\n");
  EXPECT_EQ(Utf8(runtime::RuntimeErrorText(0, platform::Utf8ToGbk("载入启动窗口失败"))),
            "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(Utf8(runtime::RuntimeErrorText(-3, "x")), "运行时出错!\r\n\r\n错误代码：-3\r\n\r\n错误信息：x\r\n");
}

TEST(RuntimeErrorText, NumberedMessages) {
  EXPECT_EQ(Utf8(runtime::RuntimeErrorMessage(1)), "数组成员引用下标超出定义范围");
  EXPECT_EQ(Utf8(runtime::RuntimeErrorMessage(9)), "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围");
  EXPECT_EQ(Utf8(runtime::RuntimeErrorMessage(11)), "所提供参数的数据类型不符合要求");
  EXPECT_EQ(runtime::RuntimeErrorMessage(0), "");
  EXPECT_EQ(runtime::RuntimeErrorMessage(12), "");
}

void ShoutOnExit(int32_t) { std::fputs("exit callback ran\n", stderr); }

TEST(RuntimeErrorDeath, EndsWithMinusOneAndDropsTheExitCallbacks) {
  runtime::RegisterExitCallback(ShoutOnExit);
  EXPECT_EXIT(runtime::Bridge().raiseRuntimeError(2), testing::ExitedWithCode(255),
              "^运行时出错!\r\n\r\n错误代码：2\r\n\r\n错误信息：未得到所需要的数值型数据\r\n$");
  runtime::ClearExitCallbacks();
}

int32_t TakeOverError(int32_t count, int32_t code, const char* message) {
  std::fprintf(stderr, "routine %d %d %s|", count, code, message);
  return 1;
}

TEST(RuntimeErrorDeath, TheProgramsErrorRoutineReplacesThePresenter) {
  EXPECT_EXIT(
      {
        runtime::SetErrorRoutine(TakeOverError);
        runtime::ReportRuntimeError("oops", 7);
      },
      testing::ExitedWithCode(255), "^routine 1 7 oops\\|$");
}

int32_t DeclineError(int32_t, int32_t, const char*) { return 0; }

TEST(RuntimeErrorDeath, ARoutineThatDeclinesLeavesTheReportToThePresenter) {
  EXPECT_EXIT(
      {
        runtime::SetErrorRoutine(DeclineError);
        runtime::ReportRuntimeError("oops", 0);
      },
      testing::ExitedWithCode(255), "错误信息：oops");
}

std::vector<int32_t> gPositions;
void First(int32_t position) { gPositions.push_back(position * 10 + 1); }
void Second(int32_t position) { gPositions.push_back(position * 10 + 2); }

TEST(ExitCallbacks, RunOnceEachInRegistrationOrderWithTheirPositions) {
  gPositions.clear();
  runtime::RegisterExitCallback(First);
  runtime::RegisterExitCallback(Second);
  runtime::RegisterExitCallback(First);
  runtime::ShutDown(0);
  EXPECT_EQ(gPositions, (std::vector<int32_t>{1, 12}));
  runtime::ShutDown(0);
  EXPECT_EQ(gPositions.size(), 2u);
}

void SayBye(int32_t) { std::fputs("bye", stderr); }

TEST(ExitCallbacksDeath, TheExitEntryShutsDownAndEndsWithTheCode) {
  EXPECT_EXIT(
      {
        runtime::RegisterExitCallback(SayBye);
        runtime::Bridge().exit(3);
      },
      testing::ExitedWithCode(3), "^bye$");
}

}  // namespace

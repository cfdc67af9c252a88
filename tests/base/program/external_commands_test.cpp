#include "base/program/external_commands.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/program/bridge.h"

namespace {

// Library names as a program declares them: a full path, a bare name found beside the
// program, and none at all (the system libraries).
const char* const kLibraries[] = {TEST_LIBRARY_PATH, TEST_LIBRARY_NAME, "", TEST_LIBRARY_NAME, "libnothere.so", ""};
const char* const kCommands[] = {"quarlex_test_sum3", "quarlex_test_answer", "strlen", "#1", "f", "no_such_fn"};

class ExternalCommands : public testing::Test {
 protected:
  void SetUp() override { runtime::SetExternalCommands(6, kLibraries, kCommands); }
  void TearDown() override { runtime::SetExternalCommands(0, nullptr, nullptr); }
};

TEST_F(ExternalCommands, ResolveByPathByNameBesideTheProgramAndInTheSystemLibraries) {
  intptr_t args[] = {1, 2, 3};
  EXPECT_EQ(runtime::Bridge().callExternalCommand(0, 3, args), 321);
  EXPECT_EQ(runtime::Bridge().callExternalCommand(1, 0, nullptr), 42);
  intptr_t text[] = {reinterpret_cast<intptr_t>("hello")};
  EXPECT_EQ(runtime::Bridge().callExternalCommand(2, 1, text), 5);
  // The address is cached: a second resolution answers the same.
  EXPECT_EQ(runtime::ResolveExternalCommand(0), runtime::ResolveExternalCommand(0));
}

TEST_F(ExternalCommands, UnresolvedCommandsEndTheProgramNamingLibraryAndCommand) {
  EXPECT_EXIT(runtime::ResolveExternalCommand(3), testing::ExitedWithCode(255),
              "无法找到指定DLL库文件“" TEST_LIBRARY_NAME "”中的输出命令“#1”");
  EXPECT_EXIT(runtime::ResolveExternalCommand(4), testing::ExitedWithCode(255),
              "无法找到指定DLL库文件“libnothere.so”中的输出命令“f”");
  EXPECT_EXIT(runtime::ResolveExternalCommand(5), testing::ExitedWithCode(255),
              "无法找到指定DLL库文件中的输出命令“no_such_fn”");
}

TEST_F(ExternalCommands, ACommandNumberOutsideTheTableIsAnError) {
  EXPECT_EXIT(runtime::ResolveExternalCommand(6), testing::ExitedWithCode(255), "所提供参数的数据类型不符合要求");
  EXPECT_EXIT(runtime::ResolveExternalCommand(-1), testing::ExitedWithCode(255), "所提供参数的数据类型不符合要求");
}

}  // namespace

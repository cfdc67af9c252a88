#include "base/program/bridge.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/program/exit.h"
#include "base/program/memory.h"
#include "base/program/services.h"

namespace {

const runtime::BridgeTable& B() { return runtime::Bridge(); }

runtime::ValueRecord gSeenResult;
int32_t gSeenCount;

void RecordCall(runtime::ValueRecord* result, int32_t count, runtime::ValueRecord* args) {
  gSeenResult = *result;
  gSeenCount = count;
  result->i32 = args[0].i32 * 2;
  result->type = runtime::type::kInt;
}

TEST(Bridge, LibraryCommandsGetAZeroedResultAndTheLibraryNumberIsNotChecked) {
  runtime::ValueRecord arg = runtime::MakeValue(runtime::type::kInt);
  arg.i32 = 21;
  for (int32_t library : {0, 3, 99, -1}) {
    std::memset(&gSeenResult, 0xAB, sizeof gSeenResult);
    runtime::ValueRecord result = B().callLibraryCommand(RecordCall, library, 1, &arg);
    EXPECT_EQ(gSeenResult.type, 0u);
    EXPECT_EQ(gSeenResult.i64, 0);
    EXPECT_EQ(gSeenCount, 1);
    EXPECT_EQ(result.i32, 42);
  }
  EXPECT_EQ(B().callCoreCommand(RecordCall, 1, &arg).i32, 42);
}

TEST(Bridge, ServiceTwoCopiesAConstantArrayAndLeavesAHeapArrayAlone) {
  // {1 dimension of 3 int32 elements} followed by other constants.
  alignas(4) uint8_t area[32] = {};
  const int32_t array[] = {1, 3, 7, 8, 9};
  std::memcpy(area, array, sizeof array);
  runtime::SetConstantArea(area, sizeof area);

  void* reference = area;
  B().service(runtime::service::kMakeArrayWritable, &reference, 4);
  ASSERT_NE(reference, area);
  EXPECT_EQ(std::memcmp(reference, array, sizeof array), 0);
  void* copy = reference;
  B().service(runtime::service::kMakeArrayWritable, &reference, 4);
  EXPECT_EQ(reference, copy);
  runtime::Free(copy);

  // Dimensions that claim more than the area holds copy only what lies in the area.
  const int32_t huge[] = {2, 0x40000000, 0x40000000};
  std::memcpy(area, huge, sizeof huge);
  reference = area;
  B().service(runtime::service::kMakeArrayWritable, &reference, 8);
  EXPECT_EQ(std::memcmp(reference, area, sizeof area), 0);
  runtime::Free(reference);
  runtime::SetConstantArea(nullptr, 0);
}

int gExitCalls;
void CountExit(int32_t) { ++gExitCalls; }

TEST(Bridge, ServiceThreeRegistersAnExitCallbackOnce) {
  gExitCalls = 0;
  B().service(runtime::service::kRegisterExitCallback, CountExit);
  B().service(runtime::service::kRegisterExitCallback, CountExit);
  runtime::ShutDown(0);
  EXPECT_EQ(gExitCalls, 1);
}

}  // namespace

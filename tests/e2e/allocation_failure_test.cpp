// Out of memory at any allocation of the memory service while a tool window is built or while a
// calculator computes: each time the runtime reports the failure with the size it asked for and
// the program ends with status 255 (-1), never a crash and never a window left running. Each
// failure runs in a child process of its own.
#include <QString>

#include <string>
#include <vector>

#include "base/program/bridge.h"
#include "base/program/memory.h"
#include "tests/e2e/toolbox_fixture.h"

namespace e2e {
namespace {

std::vector<size_t> gSizes;  // asked for since the service was armed
long gFailAt = -1;           // the allocation to fail, counted from 0; -1 fails none

bool FailOne(size_t n) {
  gSizes.push_back(n);
  return static_cast<long>(gSizes.size()) - 1 == gFailAt;
}

void Arm(long failAt) {
  gSizes.clear();
  gFailAt = failAt;
  runtime::SetAllocationFault(FailOne);
}

void Disarm() { runtime::SetAllocationFault(nullptr); }

std::string Message(size_t n) { return "分配 " + std::to_string(n) + " 字节内存失败!"; }

struct Tool {
  const char* name;
  uint32_t button;
  WindowIds window;
  uint32_t compute;
  std::vector<uint32_t> inputs;
};

const Tool kCalculators[] = {
    {"price", kPriceButton, kPriceWindow, toolbox::price::kCalculate,
     {toolbox::price::kPrice1, toolbox::price::kPrice2, toolbox::price::kPrice3, toolbox::price::kPrice4}},
    {"score", kScoreButton, kScoreWindow, toolbox::score::kCalculate,
     {toolbox::score::kPrice1, toolbox::score::kPrice2, toolbox::score::kPrice3, toolbox::score::kPrice18}},
};

class AllocationFailureTest : public ToolboxTest {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ToolboxTest::SetUp();
  }
  void TearDown() override {
    Disarm();
    ToolboxTest::TearDown();
  }

  // Opens the tool's window with the service armed; answers the sizes asked for until the
  // window showed.
  static std::vector<size_t> OpenArmed(const Tool& tool, long failAt) {
    std::vector<size_t> sizes;
    Arm(failAt);
    WithWindowOpen(tool.button, tool.window, [&] {
      sizes = gSizes;
      Disarm();
    });
    return sizes;
  }

  // Fills the inputs and clicks "计算" with the service armed; answers the sizes asked for.
  static std::vector<size_t> ComputeArmed(const Tool& tool, long failAt) {
    std::vector<size_t> sizes;
    WithWindowOpen(tool.button, tool.window, [&] {
      for (uint32_t input : tool.inputs) Type(tool.window.window, input, QStringLiteral("123456"));
      Arm(failAt);
      Click(tool.window.window, tool.compute);
      sizes = gSizes;
      Disarm();
    });
    return sizes;
  }
};

// Records what `action` allocates, then fails each of those allocations in a child process.
void ExpectEachFailureEndsTheProgram(std::vector<size_t> (*action)(const Tool&, long failAt)) {
  for (const Tool& tool : kCalculators) {
    SCOPED_TRACE(tool.name);
    const std::vector<size_t> sizes = action(tool, -1);
    ASSERT_FALSE(sizes.empty());
    for (size_t k = 0; k < sizes.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EXIT(action(tool, static_cast<long>(k)), testing::ExitedWithCode(255), Message(sizes[k]));
    }
  }
}

TEST_F(AllocationFailureTest, EachAllocationOfAWindowBuildCanFail) { ExpectEachFailureEndsTheProgram(OpenArmed); }

TEST_F(AllocationFailureTest, EachAllocationOfACalculatorClickCanFail) {
  ExpectEachFailureEndsTheProgram(ComputeArmed);
}

}  // namespace
}  // namespace e2e

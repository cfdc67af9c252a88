#pragma once
// Tests of the real toolbox on a private X server of their program's own (x11_test_main.cpp),
// with the web windows' addresses routed to the test's pages. Skipped where there is no server.
#include "tests/e2e/toolbox_fixture.h"

namespace e2e {

extern bool gHaveDisplay;

class X11ToolboxTest : public ToolboxTest {
 protected:
  void SetUp() override {
    if (!gHaveDisplay) GTEST_SKIP() << "no X server to run on";
    ToolboxTest::SetUp();
  }
};

}  // namespace e2e

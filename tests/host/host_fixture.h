#pragma once
// A host started on a form of the tests' own unit types.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <memory>

#include "host/host.h"
#include "tests/host/test_units.h"
#include "tests/support/test_program.h"

namespace host_test {

constexpr uint32_t kMain = 0x52000001;
constexpr uint32_t kMainOwn = 0x06000001;
constexpr uint32_t kSecond = 0x52000002;
constexpr uint32_t kSecondOwn = 0x06000002;

inline formtool::FormWindow MakeWindow(uint32_t id, uint32_t ownId) {
  formtool::FormWindow window;
  window.id = id;
  window.units.push_back(test_support::MakeUnit(ownId, kWindowType, 10, 10, 300, 200));
  return window;
}

inline formtool::FormUnit Control(uint32_t id, int32_t left = 0, int32_t top = 0, uint32_t type = kControlType) {
  return test_support::MakeUnit(id, type, left, top, 40, 20);
}

// Control property data: a text, then the remaining fields at their defaults.
inline std::vector<uint8_t> ControlData(const char* text) {
  std::vector<uint8_t> data;
  test_support::PutU32(data, 1);
  test_support::PutText(data, text);
  for (int i = 0; i < 2; ++i) test_support::PutU32(data, 0);
  for (int i = 0; i < 2; ++i) test_support::PutU32(data, 0);
  test_support::PutU32(data, 0);
  return data;
}

class HostTest : public testing::Test {
 protected:
  void Start(const formtool::Form& form) { program_.Start(form, {&TestLibrary()}); }
  int32_t Handler(test_support::Handler handler) { return program_.AddHandler(std::move(handler)); }

  template <typename T = TestControl>
  T* Live(uint32_t windowId, uint32_t unitId) {
    return dynamic_cast<T*>(runtime::LiveUnit(windowId, unitId));
  }

  static void DeleteLater() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  test_support::TestProgram program_;
};

}  // namespace host_test

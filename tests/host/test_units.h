#pragma once
// Unit types of the tests' own library: a window, a control and a paged container. They hold
// just enough to watch the host build, show, close, re-create and report through them.
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "base/program/program_header.h"
#include "contract/live_window.h"
#include "contract/unit.h"

namespace host_test {

constexpr uint32_t kWindowType = 0x10001;
constexpr uint32_t kControlType = 0x10002;
constexpr uint32_t kPagedType = 0x10004;

// Own properties of the control, by own index.
enum ControlProperty { kText, kFlag, kChoice, kFont, kBytes, kRecreating, kControlPropertyCount };

struct ControlProperties : units::PropertyObject {
  std::string text;
  int32_t flag = 0;
  int32_t choice = 0;
  std::vector<uint8_t> font;
  std::vector<uint8_t> bytes;
  int32_t recreating = 0;
  void Reset() override;
  void Serialise(units::PropertyArchive& archive) override;
};

class TestControl : public units::UnitWidget<QWidget> {
 public:
  TestControl(const units::UnitIdentity& identity, QWidget* parent);
  ControlProperties& Props() { return static_cast<ControlProperties&>(Properties()); }

  void BindDataSource(const char*) override { ++bindings; }
  void Refresh() override { ++refreshes; }

  uint32_t controlId = 0;
  int refreshes = 0;
  int bindings = 0;
};

class TestWindow : public units::UnitWidget<QWidget>, public units::LiveWindow {
 public:
  TestWindow(const units::UnitIdentity& identity, QWidget* owner);

  QWidget* Widget() override { return this; }
  bool Idle(int64_t elapsedMs) override;
  int InitialShowState() override { return 0; }

  bool builtModal = false;
  int idleCalls = 0;
  bool wantsMoreIdle = false;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

// The tests' library: windows, controls and paged containers at type numbers 1, 2 and 4.
const runtime::LibraryRecord& TestLibrary();

}  // namespace host_test

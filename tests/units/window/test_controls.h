#pragma once
// Controls of the window tests' own library, one type per kind of unit the window's keyboard
// handling tells apart. The library's type 1 is the real window unit type.
#include <QPushButton>

#include <cstdint>
#include <string>

#include "base/program/program_header.h"
#include "contract/unit.h"

namespace window_test {

constexpr uint32_t kWindow = 0x10001;
constexpr uint32_t kPlain = 0x10002;        // takes the focus
constexpr uint32_t kPushButton = 0x10003;   // acts on Enter when its text starts with "default"
constexpr uint32_t kRadio = 0x10004;
constexpr uint32_t kLabel = 0x10005;        // passes the focus on, never takes it
constexpr uint32_t kWantsEsc = 0x10006;     // consumes Esc itself
constexpr uint32_t kBar = 0x10007;          // stacked along an edge; "bottom" in its text: the bottom
constexpr uint32_t kFrameLabel = 0x10008;   // frames other units

struct ControlProperties : units::PropertyObject {
  std::string text;
  ControlProperties() { Reset(); }
  void Reset() override { text.clear(); }
  void Serialise(units::PropertyArchive& archive) override {
    archive.Version(1);
    archive.Text(text);
  }
};

class TestControl : public units::UnitWidget<QPushButton> {
 public:
  TestControl(const units::UnitIdentity& identity, QWidget* parent, const std::string& text);
  int selfLayouts = 0;
  void LayOutBars() override { ++selfLayouts; }
  QString MnemonicText() const override { return text(); }

 protected:
  // A control whose text starts with "passive" leaves the mouse to its parents, as a label does.
  void mousePressEvent(QMouseEvent* event) override;
};

// The library the window tests start the host with.
const runtime::LibraryRecord& WindowTestLibrary();

}  // namespace window_test

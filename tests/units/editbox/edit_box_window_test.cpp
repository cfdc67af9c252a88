// Edit boxes in a real window built by the host: the program's reads and writes, events bound to
// handlers, and re-creation when a property changes the kind of box.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "host/host.h"
#include "base/program/memory.h"
#include "tests/support/test_program.h"
#include "contract/unit.h"
#include "contract/unit_type_ids.h"

namespace {

using test_support::PutBytes;
using test_support::PutText;
using test_support::PutU32;

constexpr uint32_t kMain = 0x52000001, kOwn = 0x06000001, kBox = 0x16000001, kNotes = 0x16000002;
constexpr uint32_t kTabStop = 0x4;

// Single-line unless `multiline`, centred, no border, in input mode `mode`.
std::vector<uint8_t> BoxData(uint32_t mode, uint32_t multiline) {
  std::vector<uint8_t> d;
  for (uint32_t v : {2u, 0u, 0u, 0xFFFFFFu, 1u, 0u, multiline, 0u, 1u, mode}) PutU32(d, v);
  d.insert(d.end(), {'*', 0});
  for (uint32_t v : {0u, 0u, 0u, 100u, 0u, 0u}) PutU32(d, v);
  PutBytes(d, {});
  for (int i = 0; i < 3; ++i) PutText(d, "");
  return d;
}

std::string Content(uint32_t unit) {
  runtime::DataBytes text = runtime::GetUnitProperty(kMain, unit, 8, -1);
  std::string out = text.text != nullptr ? text.text : "";
  runtime::Free(text.text);
  return out;
}

TEST(EditBoxInWindowTest, ProgramAndUserEditsReachTheHandlerAndSurviveRecreation) {
  ASSERT_EQ(BoxData(7, 0).size(), 82u);
  test_support::TestProgram program;
  std::vector<std::string> seen;
  const int32_t handler = program.AddHandler([&seen](const intptr_t*, int32_t, int64_t*) {
    seen.push_back(Content(kBox));
    return false;
  });
  formtool::FormWindow window;
  window.id = kMain;
  window.units.push_back(test_support::MakeUnit(kOwn, units::type_id::kWindow, 10, 10, 300, 200));
  formtool::FormUnit box = test_support::MakeUnit(kBox, units::type_id::kEditBox, 10, 10, 120, 24, BoxData(7, 0));
  box.flags |= kTabStop;
  box.bindings = {{0, handler}};
  window.units.push_back(box);
  formtool::FormUnit notes =
      test_support::MakeUnit(kNotes, units::type_id::kEditBox, 10, 50, 200, 80, BoxData(0, 1));
  notes.flags |= kTabStop;
  window.units.push_back(notes);
  program.Start({window});
  runtime::LoadStartupWindow(kMain);

  runtime::DataBytes value{};
  value.text = const_cast<char*>("12");
  runtime::SetUnitProperty(kMain, kBox, 8, -1, value);
  EXPECT_EQ(seen, (std::vector<std::string>{"12"}));

  QPointer<QWidget> widget = runtime::LiveUnit(kMain, kBox)->widget();
  ASSERT_TRUE(QTest::qWaitForWindowActive(widget->window()));
  widget->setFocus();
  value.i32 = -1;  // the caret after the text
  runtime::SetUnitProperty(kMain, kBox, 24, -1, value);
  QTest::keyClicks(widget, "a3");
  EXPECT_EQ(seen, (std::vector<std::string>{"12", "123"}));

  // Several lines need another kind of box: the host builds it anew with the same text and place.
  const QRect place = widget->geometry();
  value.i64 = 1;
  runtime::SetUnitProperty(kMain, kBox, 15, -1, value);
  EXPECT_TRUE(widget.isNull());
  auto* fresh = qobject_cast<QPlainTextEdit*>(runtime::LiveUnit(kMain, kBox)->widget());
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->toPlainText(), "123");
  EXPECT_EQ(fresh->geometry(), place);

  // Enter in an editable multi-line box is a line break, not the window's.
  QWidget* lines = runtime::LiveUnit(kMain, kNotes)->widget();
  lines->setFocus();
  ASSERT_TRUE(lines->hasFocus());
  QTest::keyClicks(lines, "a");
  QTest::keyClick(lines, Qt::Key_Return);
  QTest::keyClicks(lines, "b");
  EXPECT_EQ(Content(kNotes), "a\r\nb");
  EXPECT_TRUE(lines->hasFocus());
}

}  // namespace

#include "tests/e2e/toolbox_fixture.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/toolbox.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "contract/unit.h"

namespace e2e {

void ToolboxTest::SetUp() {
  runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData());
  runtime::Bridge().loadStartupWindow(toolbox::main_window::kWindow);
  ASSERT_NE(Widget(toolbox::main_window::kWindow, 0), nullptr);
}

void ToolboxTest::TearDown() { runtime::StopHost(); }

QWidget* ProgramTest::Widget(uint32_t window, uint32_t unit) {
  units::Unit* live = runtime::LiveUnit(window, unit);
  return live != nullptr ? live->widget() : nullptr;
}

void ProgramTest::Click(uint32_t window, uint32_t unit) {
  QWidget* widget = Widget(window, unit);
  ASSERT_NE(widget, nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void ProgramTest::Type(uint32_t window, uint32_t unit, const QString& keys) {
  QWidget* widget = Widget(window, unit);
  ASSERT_NE(widget, nullptr);
  widget->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(widget, Qt::Key_Delete);
  QTest::keyClicks(widget, keys);
}

std::string ProgramTest::Text(uint32_t window, uint32_t unit) {
  runtime::DataBytes text = runtime::Bridge().getUnitProperty(window, unit, toolbox::kTextProperty, -1);
  std::string out = text.text != nullptr ? text.text : "";
  runtime::Bridge().free(text.text);
  return out;
}

void ToolboxTest::Close(WindowIds window) {
  if (QWidget* widget = Widget(window.window, 0)) widget->close();
}

bool ToolboxTest::WithWindowOpen(uint32_t button, WindowIds window,
                                 const std::function<void()>& whileOpen) {
  return WithWindowOpen([button] { Click(toolbox::main_window::kWindow, button); }, window, whileOpen);
}

bool ToolboxTest::WithWindowOpen(const std::function<void()>& open, WindowIds window,
                                 const std::function<void()>& whileOpen) {
  bool shown = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* widget = Widget(window.window, 0);
    if (widget == nullptr || !widget->isVisible()) return;
    poll.stop();
    shown = true;
    whileOpen();
    Close(window);
  });
  poll.start(5);
  open();
  return shown;
}

}  // namespace e2e

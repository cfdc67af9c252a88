#include "units/window/window_accessible.h"

#include <QAccessibleWidget>

#include "contract/unit_accessibility.h"
#include "units/window/window_unit.h"

namespace units {
namespace {

class AccessibleWindow : public QAccessibleWidget {
 public:
  explicit AccessibleWindow(WindowUnit* window) : QAccessibleWidget(window, QAccessible::Window) {}

  QAccessible::Role role() const override { return Window()->modal ? QAccessible::Dialog : QAccessible::Window; }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.modal = Window()->modal;
    return s;
  }

 private:
  WindowUnit* Window() const { return static_cast<WindowUnit*>(widget()); }
};

QAccessibleInterface* Maker(QObject* object) {
  if (auto* window = dynamic_cast<WindowUnit*>(object)) return new AccessibleWindow(window);
  return nullptr;
}

}  // namespace

void InstallWindowAccessibility() { RegisterAccessibleMaker(Maker); }

}  // namespace units

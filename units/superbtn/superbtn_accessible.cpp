#include "units/superbtn/superbtn_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>

#include "contract/unit_accessibility.h"

#include "units/superbtn/superbtn_unit.h"

namespace units {
namespace {

class AccessibleSuperBtn : public QAccessibleWidget {
 public:
  explicit AccessibleSuperBtn(SuperBtnUnit* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

  SuperBtnUnit* Button() const { return static_cast<SuperBtnUnit*>(widget()); }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name: {
        if (!Button()->accessibleName().isEmpty()) return Button()->accessibleName();
        // The caption as shown: "&x" is an underlined x, "&&" an ampersand.
        const QString caption = Button()->Caption();
        QString name;
        for (qsizetype i = 0; i < caption.size(); ++i) {
          if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
          name += caption[i];
        }
        return name;
      }
      case QAccessible::Description:
        return Button()->accessibleDescription().isEmpty() ? Button()->ToolTipText() : Button()->accessibleDescription();
      default: return QAccessibleWidget::text(t);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = Button()->isDown();
    s.defaultButton = Button()->IsDefault();
    if (Button()->InCheckMode()) {
      s.checkable = true;
      s.checked = Button()->isChecked();
    }
    return s;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Button()->isEnabled()) names.prepend(pressAction());
    return names;
  }

  // The press is answered at once and the click comes on the next turn of the event loop: a
  // click that opens a modal window returns only when that window closes, and the client would
  // wait that long for its reply. The button may be gone, disabled or blocked by then.
  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    if (!Button()->isEnabled()) return;
    QMetaObject::invokeMethod(
        Button(),
        [button = QPointer<SuperBtnUnit>(Button())] {
          if (button && button->isEnabled() && !BlockedByModality(button)) button->click();
        },
        Qt::QueuedConnection);
  }
};

QAccessibleInterface* Maker(QObject* object) {
  if (auto* button = qobject_cast<SuperBtnUnit*>(object)) return new AccessibleSuperBtn(button);
  return nullptr;
}

}  // namespace

void InstallSuperBtnAccessibility() {
  RegisterAccessibleMaker(Maker);
}

}  // namespace units

#include "units/translabel/translabel_accessible.h"

#include <QAccessibleWidget>

#include "contract/unit_accessibility.h"

#include "units/translabel/translabel_unit.h"

namespace units {
namespace {

class AccessibleTransLabel : public QAccessibleWidget {
 public:
  explicit AccessibleTransLabel(TransLabelUnit* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  // A label its form names (a result: "竞技场 悔梦石 兑换比例") is read as that name followed by
  // the text it shows; any other label as its text.
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const QString shown = static_cast<TransLabelUnit*>(widget())->Text();
    const QString name = widget()->accessibleName();
    if (name.isEmpty()) return shown;
    return shown.isEmpty() ? name : name + QLatin1Char(' ') + shown;
  }
};

QAccessibleInterface* Maker(QObject* object) {
  if (auto* label = qobject_cast<TransLabelUnit*>(object)) return new AccessibleTransLabel(label);
  return nullptr;
}

}  // namespace

void InstallTransLabelAccessibility() {
  RegisterAccessibleMaker(Maker);
}

}  // namespace units

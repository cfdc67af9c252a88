#include "units/translabel/translabel_accessible.h"

#include <QAccessibleWidget>

#include "contract/unit_accessibility.h"

#include "units/translabel/translabel_unit.h"

namespace units {
namespace {

class AccessibleTransLabel : public QAccessibleWidget {
 public:
  explicit AccessibleTransLabel(TransLabelUnit* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<TransLabelUnit*>(widget())->Text();
    return QAccessibleWidget::text(t);
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

#include "contract/unit_accessibility.h"

#include <QAccessible>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "contract/live_window.h"
#include "contract/unit.h"

namespace units {
namespace {

std::vector<AccessibleMaker>& Makers() {
  static std::vector<AccessibleMaker> makers;
  return makers;
}

bool InsideUnit(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget())
    if (dynamic_cast<const Unit*>(widget) != nullptr) return true;
  return false;
}

// Stands in front of the interface that describes a widget of a unit. Reading passes through
// untouched; while the window is blocked the state says unavailable and every request that
// would change something (an action, focus, text, selection, value) is refused.
class GuardedInterface final : public QAccessibleInterface,
                               public QAccessibleActionInterface,
                               public QAccessibleTextInterface,
                               public QAccessibleEditableTextInterface,
                               public QAccessibleValueInterface {
 public:
  // The framework's cache holds the inner interface (interfaces are deleted only through it);
  // it goes with this one.
  explicit GuardedInterface(QAccessibleInterface* inner) : inner_(inner), innerId_(QAccessible::uniqueId(inner)) {}
  ~GuardedInterface() override {
    if (QAccessible::accessibleInterface(innerId_) == inner_) QAccessible::deleteAccessibleInterface(innerId_);
  }

  bool isValid() const override { return inner_->isValid(); }
  QObject* object() const override { return inner_->object(); }
  QWindow* window() const override { return inner_->window(); }
  QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    return inner_->relations(match);
  }
  QAccessibleInterface* focusChild() const override { return inner_->focusChild(); }
  QAccessibleInterface* childAt(int x, int y) const override { return inner_->childAt(x, y); }
  QAccessibleInterface* parent() const override { return inner_->parent(); }
  QAccessibleInterface* child(int index) const override { return inner_->child(index); }
  int childCount() const override { return inner_->childCount(); }
  int indexOfChild(const QAccessibleInterface* child) const override { return inner_->indexOfChild(child); }
  QString text(QAccessible::Text t) const override { return inner_->text(t); }
  void setText(QAccessible::Text t, const QString& text) override {
    if (!Blocked()) inner_->setText(t, text);
  }
  QRect rect() const override { return inner_->rect(); }
  QAccessible::Role role() const override { return inner_->role(); }
  QAccessible::State state() const override {
    QAccessible::State s = inner_->state();
    if (Blocked()) {
      s.disabled = true;
      s.focusable = false;
    }
    return s;
  }
  QColor foregroundColor() const override { return inner_->foregroundColor(); }
  QColor backgroundColor() const override { return inner_->backgroundColor(); }
  void* interface_cast(QAccessible::InterfaceType type) override {
    void* own = inner_->interface_cast(type);
    if (own == nullptr) return nullptr;
    switch (type) {
      case QAccessible::ActionInterface: return static_cast<QAccessibleActionInterface*>(this);
      case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface*>(this);
      case QAccessible::EditableTextInterface: return static_cast<QAccessibleEditableTextInterface*>(this);
      case QAccessible::ValueInterface: return static_cast<QAccessibleValueInterface*>(this);
      default: return own;  // nothing in the others changes a unit
    }
  }

  // Actions: none while blocked.
  QStringList actionNames() const override { return Blocked() ? QStringList() : inner_->actionInterface()->actionNames(); }
  QString localizedActionName(const QString& name) const override {
    return inner_->actionInterface()->localizedActionName(name);
  }
  QString localizedActionDescription(const QString& name) const override {
    return inner_->actionInterface()->localizedActionDescription(name);
  }
  void doAction(const QString& name) override {
    if (!Blocked()) inner_->actionInterface()->doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    return inner_->actionInterface()->keyBindingsForAction(name);
  }

  // Text: read freely, the selection and the cursor stay put while blocked.
  void selection(int index, int* start, int* end) const override { Text()->selection(index, start, end); }
  int selectionCount() const override { return Text()->selectionCount(); }
  void addSelection(int start, int end) override {
    if (!Blocked()) Text()->addSelection(start, end);
  }
  void removeSelection(int index) override {
    if (!Blocked()) Text()->removeSelection(index);
  }
  void setSelection(int index, int start, int end) override {
    if (!Blocked()) Text()->setSelection(index, start, end);
  }
  int cursorPosition() const override { return Text()->cursorPosition(); }
  void setCursorPosition(int position) override {
    if (!Blocked()) Text()->setCursorPosition(position);
  }
  QString text(int start, int end) const override { return Text()->text(start, end); }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    return Text()->textBeforeOffset(offset, type, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    return Text()->textAfterOffset(offset, type, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    return Text()->textAtOffset(offset, type, start, end);
  }
  int characterCount() const override { return Text()->characterCount(); }
  QRect characterRect(int offset) const override { return Text()->characterRect(offset); }
  int offsetAtPoint(const QPoint& point) const override { return Text()->offsetAtPoint(point); }
  void scrollToSubstring(int start, int end) override { Text()->scrollToSubstring(start, end); }
  QString attributes(int offset, int* start, int* end) const override { return Text()->attributes(offset, start, end); }

  void deleteText(int start, int end) override {
    if (!Blocked()) inner_->editableTextInterface()->deleteText(start, end);
  }
  void insertText(int offset, const QString& text) override {
    if (!Blocked()) inner_->editableTextInterface()->insertText(offset, text);
  }
  void replaceText(int start, int end, const QString& text) override {
    if (!Blocked()) inner_->editableTextInterface()->replaceText(start, end, text);
  }

  QVariant currentValue() const override { return inner_->valueInterface()->currentValue(); }
  void setCurrentValue(const QVariant& value) override {
    if (!Blocked()) inner_->valueInterface()->setCurrentValue(value);
  }
  QVariant maximumValue() const override { return inner_->valueInterface()->maximumValue(); }
  QVariant minimumValue() const override { return inner_->valueInterface()->minimumValue(); }
  QVariant minimumStepSize() const override { return inner_->valueInterface()->minimumStepSize(); }

 private:
  bool Blocked() const {
    const QObject* o = inner_->object();
    return o != nullptr && o->isWidgetType() && BlockedByModality(static_cast<const QWidget*>(o));
  }
  QAccessibleTextInterface* Text() const { return inner_->textInterface(); }

  QAccessibleInterface* inner_;
  QAccessible::Id innerId_;
};

// The object whose default interface is being asked for, which this factory then declines.
QObject* gAskingDefault = nullptr;

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (object == nullptr || !object->isWidgetType() || object == gAskingDefault) return nullptr;
  // Answer at the most derived class, before any factory is asked about a base class.
  if (className != QLatin1String(object->metaObject()->className())) return nullptr;
  if (!InsideUnit(static_cast<QWidget*>(object))) return nullptr;
  for (AccessibleMaker maker : Makers())
    if (QAccessibleInterface* own = maker(object)) return new GuardedInterface(own);
  QObject* const outer = gAskingDefault;
  gAskingDefault = object;
  QAccessibleInterface* standard = QAccessible::queryAccessibleInterface(object);
  gAskingDefault = outer;
  return standard != nullptr ? new GuardedInterface(standard) : nullptr;
}

}  // namespace

void RegisterAccessibleMaker(AccessibleMaker maker) {
  std::vector<AccessibleMaker>& makers = Makers();
  if (std::find(makers.begin(), makers.end(), maker) == makers.end()) makers.push_back(maker);
  InstallUnitAccessibility();
}

void InstallUnitAccessibility() {
  // The factory installed last is asked first: a library that installs its own later (the web
  // engine does when it loads) would otherwise answer for its widgets inside a unit unguarded.
  QAccessible::removeFactory(Factory);
  QAccessible::installFactory(Factory);
}

bool BlockedByModality(const QWidget* widget) {
  if (widget == nullptr) return false;
  const auto* live = dynamic_cast<const LiveWindow*>(widget->window());
  return live != nullptr && !live->enabled;
}

void AnnounceAvailability(QWidget* window) {
  if (!QAccessible::isActive() || window == nullptr) return;
  QAccessible::State changed;
  changed.disabled = true;
  changed.focusable = true;
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* widget : widgets) {
    QAccessibleStateChangeEvent event(widget, changed);
    QAccessible::updateAccessibility(&event);
  }
}

}  // namespace units

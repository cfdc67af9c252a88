#include "contract/unit_accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <optional>
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

// A unit shown as a picture (the table a calculator's units lie on) holds no units for
// assistive technology: what lies on it is read beside it, in the window's reading order.
bool IsPicture(QWidget* widget) {
  if (widget->isWindow() || dynamic_cast<const Unit*>(widget) == nullptr) return false;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  return iface != nullptr && iface->role() == QAccessible::Graphic;
}

// The widgets inside `parent` that a reader meets, those on pictures lifted up beside them.
void CollectReadable(QWidget* parent, QList<QWidget*>& out) {
  for (QObject* object : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || widget->isWindow()) continue;
    out.append(widget);
    if (IsPicture(widget)) CollectReadable(widget, out);
  }
}

int ReadingOrderOf(const QWidget* widget) {
  const auto* unit = dynamic_cast<const Unit*>(widget);
  return unit != nullptr ? unit->ReadingOrder() : 0;
}

// What a reader meets in `widget`, in reading order, where it differs from the toolkit's tree:
// in a window (units with a reading order first, by it; the rest after, in the window's order),
// and in a picture (nothing).
std::optional<QList<QWidget*>> ReadingChildren(QWidget* widget) {
  if (IsPicture(widget)) return QList<QWidget*>();
  if (dynamic_cast<LiveWindow*>(widget) == nullptr) return std::nullopt;
  QList<QWidget*> children;
  CollectReadable(widget, children);
  std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
    const int orderA = ReadingOrderOf(a), orderB = ReadingOrderOf(b);
    if (orderA == 0 || orderB == 0) return orderA != 0 && orderB == 0;
    return orderA < orderB;
  });
  return children;
}

// The widget a reader finds `widget` in, where the toolkit's parent is a picture; else null.
QWidget* ReadingParent(QWidget* widget) {
  if (widget->isWindow()) return nullptr;
  QWidget* parent = widget->parentWidget();
  while (parent != nullptr && IsPicture(parent)) parent = parent->parentWidget();
  return parent != widget->parentWidget() ? parent : nullptr;
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
  // The tree as a reader meets it: see ReadingChildren.
  QAccessibleInterface* childAt(int x, int y) const override {
    std::optional<QList<QWidget*>> children = ReadingList();
    if (!children) return inner_->childAt(x, y);
    QWidget* widget = Widget();
    for (QWidget* at = widget->childAt(widget->mapFromGlobal(QPoint(x, y))); at != nullptr; at = at->parentWidget())
      if (children->contains(at)) return QAccessible::queryAccessibleInterface(at);
    return nullptr;
  }
  QAccessibleInterface* parent() const override {
    QWidget* widget = Widget();
    QWidget* parent = widget != nullptr ? ReadingParent(widget) : nullptr;
    return parent != nullptr ? QAccessible::queryAccessibleInterface(parent) : inner_->parent();
  }
  QAccessibleInterface* child(int index) const override {
    std::optional<QList<QWidget*>> children = ReadingList();
    if (!children) return inner_->child(index);
    return index >= 0 && index < children->size() ? QAccessible::queryAccessibleInterface(children->at(index)) : nullptr;
  }
  int childCount() const override {
    std::optional<QList<QWidget*>> children = ReadingList();
    return children ? static_cast<int>(children->size()) : inner_->childCount();
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    std::optional<QList<QWidget*>> children = ReadingList();
    if (!children) return inner_->indexOfChild(child);
    QObject* object = child != nullptr ? child->object() : nullptr;
    return object != nullptr && object->isWidgetType() ? static_cast<int>(children->indexOf(static_cast<QWidget*>(object))) : -1;
  }
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
  // Boundary queries. The toolkit's own answer for an offset at the end of the text spins for
  // good on word and sentence boundaries, and is nonsense beyond the text: only offsets inside
  // the text reach it; the rest are answered here (see AnswerOutsideText).
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    offset = ResolveOffset(offset);
    const int length = Text()->characterCount();
    if (offset >= 0 && offset < length) return Text()->textBeforeOffset(offset, type, start, end);
    // The item before the end is the one that holds the last character.
    if (offset == length && length > 0) return Text()->textAtOffset(length - 1, type, start, end);
    return AnswerOutsideText(offset, length, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    offset = ResolveOffset(offset);
    const int length = Text()->characterCount();
    if (offset >= 0 && offset < length) return Text()->textAfterOffset(offset, type, start, end);
    return AnswerOutsideText(offset, length, start, end);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    offset = ResolveOffset(offset);
    const int length = Text()->characterCount();
    if (offset >= 0 && offset < length) return Text()->textAtOffset(offset, type, start, end);
    return AnswerOutsideText(offset, length, start, end);
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
  QWidget* Widget() const {
    QObject* o = inner_->object();
    return o != nullptr && o->isWidgetType() ? static_cast<QWidget*>(o) : nullptr;
  }
  std::optional<QList<QWidget*>> ReadingList() const {
    QWidget* widget = Widget();
    return widget != nullptr ? ReadingChildren(widget) : std::nullopt;
  }
  bool Blocked() const {
    const QObject* o = inner_->object();
    return o != nullptr && o->isWidgetType() && BlockedByModality(static_cast<const QWidget*>(o));
  }
  QAccessibleTextInterface* Text() const { return inner_->textInterface(); }
  // The toolkit's special offsets: -1 the end of the text, -2 the cursor.
  int ResolveOffset(int offset) const {
    if (offset == -1) return Text()->characterCount();
    if (offset == -2) return Text()->cursorPosition();
    return offset;
  }
  // At the end there is nothing: an empty item at the end. Beyond either end is an error.
  static QString AnswerOutsideText(int offset, int length, int* start, int* end) {
    *start = *end = offset == length ? length : -1;
    return QString();
  }

  QAccessibleInterface* inner_;
  QAccessible::Id innerId_;
};

std::vector<QPointer<QWidget>>& KeptFromReaders() {
  static std::vector<QPointer<QWidget>> kept;
  return kept;
}

bool IsKeptFromReaders(const QObject* object) {
  for (const QPointer<QWidget>& widget : KeptFromReaders())
    if (widget != nullptr && widget == object) return true;
  return false;
}

// The application as a reader meets it: its windows, less those kept from readers.
class ReaderApplication final : public QAccessibleApplication {
 public:
  int childCount() const override { return static_cast<int>(Windows().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QAccessibleInterface*> windows = Windows();
    return index >= 0 && index < windows.size() ? windows[index] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return static_cast<int>(Windows().indexOf(const_cast<QAccessibleInterface*>(child)));
  }

 private:
  QList<QAccessibleInterface*> Windows() const {
    QList<QAccessibleInterface*> windows;
    for (int i = 0, count = QAccessibleApplication::childCount(); i < count; ++i)
      if (QAccessibleInterface* window = QAccessibleApplication::child(i);
          window != nullptr && !IsKeptFromReaders(window->object()))
        windows.append(window);
    return windows;
  }
};

// The object whose default interface is being asked for, which this factory then declines.
QObject* gAskingDefault = nullptr;

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (object != nullptr && object == qApp && !KeptFromReaders().empty()) return new ReaderApplication();
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

void KeepFromReaders(QWidget* widget) {
  std::vector<QPointer<QWidget>>& kept = KeptFromReaders();
  std::erase_if(kept, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
  kept.emplace_back(widget);
  InstallUnitAccessibility();
  // The application may have been read before: its next reading comes to the factory.
  if (QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
      application != nullptr && dynamic_cast<ReaderApplication*>(application) == nullptr)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(application));
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

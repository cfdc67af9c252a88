#include "contract/told_results.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace units {
namespace {

using Noted = std::vector<QPointer<QWidget>>;

std::vector<Noted>& Runs() {
  static std::vector<Noted> runs;
  return runs;
}

// The notification itself: an object kept by the window, never drawn, that assistive technology
// is shown once with the texts as its name. A new one each time, so that no client holds on to an
// old name under the same object.
class Notice final : public QObject {
 public:
  Notice(QWidget* window, QString text) : QObject(window), text_(std::move(text)) {
    setObjectName(QStringLiteral("qx_told_results"));
  }
  const QString& Text() const { return text_; }

 private:
  QString text_;
};

class AccessibleNotice final : public QAccessibleObject {
 public:
  explicit AccessibleNotice(Notice* notice) : QAccessibleObject(notice) {}
  // It belongs to the application, not to the window: a reader that met it inside a dialog would
  // read the whole dialog out before it.
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? static_cast<Notice*>(object())->Text() : QString();
  }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }
};

Notice* LastNotice(const QWidget* window) {
  return window->findChild<Notice*>(QStringLiteral("qx_told_results"), Qt::FindDirectChildrenOnly);
}

void Tell(const Noted& noted) {
  QWidget* window = nullptr;
  QStringList texts;
  for (const QPointer<QWidget>& widget : noted) {
    if (widget.isNull()) continue;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    const QString text = iface != nullptr ? iface->text(QAccessible::Name) : QString();
    if (text.isEmpty()) continue;
    texts.append(text);
    if (window == nullptr) window = widget->window();
  }
  if (window == nullptr) return;
  delete LastNotice(window);
  auto* notice = new Notice(window, texts.join(QStringLiteral("，")));
  auto* iface = new AccessibleNotice(notice);
  QAccessible::registerAccessibleInterface(iface);
  QAccessibleEvent shown(iface, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace

HandlerRun::HandlerRun() { Runs().emplace_back(); }

HandlerRun::~HandlerRun() {
  Noted noted = std::move(Runs().back());
  Runs().pop_back();
  if (!noted.empty()) Tell(noted);
}

void NoteWrittenText(QWidget* widget) {
  if (Runs().empty() || widget == nullptr) return;
  Noted& noted = Runs().back();
  // Written twice, told once, where it was first written.
  if (std::find(noted.begin(), noted.end(), widget) == noted.end()) noted.emplace_back(widget);
}

}  // namespace units

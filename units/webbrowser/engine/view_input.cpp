#include "units/webbrowser/engine/view_input.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

namespace units::webbrowser {
namespace {

// How long a click allows what a page does in answer to it: long enough for the page's own
// script to run, short enough that a page cannot save a click up for later.
constexpr qint64 kClickLastsMs = 2000;

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

bool IsClick(const QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) return true;
  if (event->type() != QEvent::KeyPress) return false;
  const auto* press = static_cast<const QKeyEvent*>(event);
  const int key = press->key();
  return !press->isAutoRepeat() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space);
}

}  // namespace

ViewInput::ViewInput(QWidget* root) : QObject(root) { Watch(root); }

void ViewInput::Watch(QObject* object) {
  if (!object->isWidgetType()) return;
  object->installEventFilter(this);
  for (QObject* child : object->children()) Watch(child);
}

bool ViewInput::TakeClick() {
  if (!lastClick_.isValid() || lastClick_.elapsed() > kClickLastsMs) return false;
  lastClick_.invalidate();
  return true;
}

bool ViewInput::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ChildAdded) {
    Watch(static_cast<QChildEvent*>(event)->child());
    return false;
  }
  if (!IsInput(type) || watched == nullptr) return false;
  if (held || (takesInput && !takesInput())) return true;
  // Input made up inside the program is no click of the user's.
  if (IsClick(event) && event->spontaneous()) lastClick_.start();
  return false;
}

}  // namespace units::webbrowser

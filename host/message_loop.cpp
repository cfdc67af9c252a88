#include "host/message_loop.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QInputEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

#include "host/host_state.h"
#include "host/window_access.h"

namespace runtime {

MessageLoop::MessageLoop() {
  idleTimer_.setInterval(0);
  connect(&idleTimer_, &QTimer::timeout, this, [this] { IdleStep(); });
  QCoreApplication::instance()->installEventFilter(this);
}

MessageLoop::~MessageLoop() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(this);
}

void MessageLoop::Run(bool modal) {
  if (quitRequested_) return;
  QEventLoop loop;
  loops_.push_back(&loop);
  modal_.push_back(modal);
  RestartIdle();
  loop.exec();
  loops_.pop_back();
  modal_.pop_back();
}

void MessageLoop::RequestQuit() {
  quitRequested_ = true;
  for (QEventLoop* loop : loops_) loop->exit(0);
}

void MessageLoop::EndModalLoop() {
  for (size_t i = loops_.size(); i-- > 0;) {
    if (modal_[i]) {
      loops_[i]->exit(0);
      return;
    }
  }
}

void MessageLoop::RestartIdle() {
  idleCount_ = 0;
  if (!idleTimer_.isActive()) idleTimer_.start();
}

namespace {

// What the window that holds the target translates before the target gets it.
constexpr QEvent::Type kTranslated[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseMove,
                                        QEvent::KeyPress, QEvent::KeyRelease,
                                        QEvent::ShortcutOverride, QEvent::Wheel,
                                        QEvent::InputMethod};
// The rest of what a disabled window does not get, since the user does it to the window.
constexpr QEvent::Type kOtherInput[] = {QEvent::ContextMenu, QEvent::Enter, QEvent::HoverEnter,
                                        QEvent::HoverMove, QEvent::TabletPress, QEvent::TabletMove,
                                        QEvent::TabletRelease, QEvent::TouchBegin, QEvent::TouchUpdate,
                                        QEvent::TouchEnd, QEvent::DragEnter, QEvent::DragMove,
                                        QEvent::Drop, QEvent::ToolTip};

template <size_t N>
bool OneOf(const QEvent::Type (&types)[N], QEvent::Type type) {
  return std::find(std::begin(types), std::end(types), type) != std::end(types);
}

bool IsTranslated(QEvent::Type type) { return OneOf(kTranslated, type); }

bool IsUserInput(QEvent::Type type) { return OneOf(kTranslated, type) || OneOf(kOtherInput, type); }

QPointF GlobalPosition(const QEvent* event) {
  if (event->isPointerEvent()) return static_cast<const QPointerEvent*>(event)->points().value(0).globalPosition();
  return {};
}

}  // namespace

// An event the target ignores goes on to each of its parents, as a new event for a mouse or
// the wheel, as the same one for a key. The window translates it once, for the widget it was
// addressed to: what the parents are offered afterwards is not a new message.
bool MessageLoop::Propagated(const QWidget* widget, const QEvent* event) const {
  if (!lastTranslated_.target || lastTranslated_.type != event->type() || !widget->isAncestorOf(lastTranslated_.target))
    return false;
  if (event->isPointerEvent()) return !event->spontaneous() && GlobalPosition(event) == lastTranslated_.global;
  return event == lastTranslated_.event && widget != QApplication::focusWidget();
}

bool MessageLoop::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!IsUserInput(type) || !watched->isWidgetType()) return false;
  RestartIdle();
  // The window that holds the widget sees the event first.
  auto* widget = static_cast<QWidget*>(watched);
  QWidget* top = widget->window();
  units::LiveWindow* live = nullptr;
  const WindowTable& windows = TheHost().windows;
  for (size_t i = 0; i < windows.Size() && live == nullptr; ++i) {
    units::LiveWindow* candidate = LiveWindowOf(windows.At(i));
    if (candidate != nullptr && candidate->Widget() == top) live = candidate;
  }
  if (live == nullptr) return false;
  if (!live->enabled) return true;
  if (!IsTranslated(type) || Propagated(widget, event)) return false;
  // A unit that hands the event on to its target itself is not asked again.
  if (std::find(inTranslation_.begin(), inTranslation_.end(), event) != inTranslation_.end()) return false;
  lastTranslated_ = {widget, type, event, GlobalPosition(event)};
  inTranslation_.push_back(event);
  const bool consumed = live->PreTranslate(watched, event);
  inTranslation_.pop_back();
  return consumed;
}

void MessageLoop::IdleStep() {
  // Idle callbacks run from the last registered to the first; a callback whose window is gone
  // is dropped. A callback may register or unregister others, so the list is re-checked.
  auto& callbacks = TheHost().idleCallbacks;
  for (size_t i = callbacks.size(); i-- > 0;) {
    if (i >= callbacks.size()) continue;
    if (!callbacks[i].window) {
      callbacks.erase(callbacks.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    IdleCallbackEntry entry = callbacks[i];
    entry.function(entry.argument);
  }
  if (!ProcessIdle(idleCount_++)) idleTimer_.stop();
}

void ProcessPendingMessages() {
  if (TheHost().loop && TheHost().loop->QuitRequested()) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace runtime

#include "runtime/host/message_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include "runtime/host/host_state.h"
#include "runtime/host/window_access.h"

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

bool MessageLoop::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel: {
      if (!watched->isWidgetType()) return false;
      RestartIdle();
      // The window that holds the widget sees the event first.
      QWidget* top = static_cast<QWidget*>(watched)->window();
      const WindowTable& windows = TheHost().windows;
      for (size_t i = 0; i < windows.Size(); ++i) {
        LiveWindow* live = LiveWindowOf(windows.At(i));
        if (live != nullptr && live->Widget() == top) return live->PreTranslate(watched, event);
      }
      return false;
    }
    default:
      return false;
  }
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

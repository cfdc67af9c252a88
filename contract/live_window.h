#pragma once
// What the host's window manager needs of a live window, beyond what every unit offers. The
// window unit type implements it; the manager keeps its marks here.
#include <QPointer>
#include <QWidget>

class QEvent;
class QObject;

#include <cstdint>
#include <vector>

#include "contract/unit_accessibility.h"

namespace units {

class LiveWindow {
 public:
  virtual ~LiveWindow() = default;

  virtual QWidget* Widget() = 0;
  // The outer rectangle, frame and caption included, in screen coordinates: what the window's
  // left, top, width and height properties mean.
  virtual QRect OuterGeometry() { return Widget()->frameGeometry(); }
  virtual void SetOuterGeometry(const QRect& outer) {
    QRect frame = Widget()->frameGeometry(), inner = Widget()->geometry();
    Widget()->setGeometry(outer.adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                                         inner.right() - frame.right(), inner.bottom() - frame.bottom()));
  }
  // The window's idle event with the milliseconds since the idle period began; true when a
  // handler asks for more idle calls.
  virtual bool Idle(int64_t elapsedMs) = 0;
  // How the first show presents the window: 3 maximised, 2 minimised, anything else normal.
  virtual int InitialShowState() = 0;
  // The window the desktop keeps this one above, without a taskbar entry of its own; null for
  // none. Set before the first show.
  virtual void SetDesktopOwner(QWidget* /*owner*/) {}
  // Offered every keyboard, mouse and wheel event addressed to this window or a widget inside it
  // before the widget gets it: the window's own key handling and the common events. True
  // consumes the event.
  virtual bool PreTranslate(QObject* /*target*/, QEvent* /*event*/) { return false; }

  struct DisabledWindow {
    QPointer<QWidget> window;
    bool wasEnabled;
  };

  bool firstShowPending = false;
  bool modal = false;
  bool topmost = false;
  // The window's own enabled state. A disabled window takes no input and refuses the desktop's
  // close requests, while its units keep their own state and look: it is the window that is
  // disabled, not what it holds.
  bool enabled = true;
  // Changes `enabled` and tells assistive technology, which sees a disabled window and its units
  // as unavailable.
  void SetEnabled(bool on) {
    if (enabled == on) return;
    enabled = on;
    AnnounceAvailability(Widget());
  }
  // Whether the window shows which unit has the focus: off until the keyboard is used in it.
  bool keyboardCues = false;
  // Turns the focus mark on for good and lets the focused unit draw it.
  void ShowKeyboardCues() {
    if (keyboardCues) return;
    keyboardCues = true;
    if (QWidget* focus = Widget()->focusWidget()) focus->update();
  }
  // The windows this window disabled while modal, to be re-enabled when it closes.
  std::vector<DisabledWindow> disabledWhileModal;

  // Re-enables the windows disabled while this window was modal, each to its saved state.
  void ReenableDisabledWindows() {
    for (const DisabledWindow& entry : disabledWhileModal)
      if (auto* other = dynamic_cast<LiveWindow*>(entry.window.data())) other->SetEnabled(entry.wasEnabled);
    disabledWhileModal.clear();
  }
};

}  // namespace units

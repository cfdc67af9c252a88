#pragma once
// Where the preview's window appears on the desktop and whether it takes the keyboard. A rebuilt
// window takes the place of the one before it, its client area (and so its frame, the desktop's
// frame being the same) exactly where the user left it, and it is activated only when the one
// before it was active: the author is typing in an editor while the preview follows the saves.
#include <QObject>
#include <QPoint>

class QWidget;

namespace formtool {

// While it lives, the next top-level window shown appears with its client area's top left at
// `client`, activated only when `activate` is true (the host shows a window asked to show
// without activating as such).
class ShowInPlace : public QObject {
 public:
  ShowInPlace(QPoint client, bool activate);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPoint client_;
  bool activate_;
};

// Puts the client area's top left at `client` (the frame follows).
void PlaceClient(QWidget* window, QPoint client);

// A window whose frame does not fit the screen's available area (one larger than the screen) is
// cut to fit, and its frame moved onto the area, so that its title bar and close button can be
// reached. Done once the desktop has framed the window; nothing on a platform without frames (the
// offscreen stand-in that no user sees).
void KeepOnScreen(QWidget* window);

}  // namespace formtool

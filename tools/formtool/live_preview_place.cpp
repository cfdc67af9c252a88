#include "tools/formtool/live_preview_place.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>

#include "platform/window_frame.h"

namespace formtool {
namespace {

// Waits for the desktop to frame the window (until then its frame is not known), then makes it
// fit once.
class OnScreenKeeper : public QObject {
 public:
  explicit OnScreenKeeper(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
    TryNow();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show || type == QEvent::Paint)
      QMetaObject::invokeMethod(this, [this] { TryNow(); }, Qt::QueuedConnection);
    return false;
  }

 private:
  void TryNow() {
    if (done_ || window_.isNull() || window_->windowHandle() == nullptr || !window_->windowHandle()->isExposed()) return;
    const std::optional<QMargins> frame = platform::DesktopFrameMargins(window_->windowHandle());
    // A desktop without a window manager never frames a window: the keeper does not ask for ever
    // once the window is on the screen.
    if (!frame && ++tries_ < kTries) return;
    done_ = true;
    deleteLater();
    if (!frame) return;
    Fit(*frame);
  }

  void Fit(const QMargins& margins) {
    QWidget* window = window_;
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QRect client = window->geometry();
    QRect frame = client.marginsAdded(margins);
    const QSize frameExtra = frame.size() - client.size();
    if (frame.width() <= area.width() && frame.height() <= area.height()) return;
    const QSize fits(std::min(client.width(), area.width() - frameExtra.width()),
                     std::min(client.height(), area.height() - frameExtra.height()));
    // A window of fixed size stays fixed, at the size that fits.
    if (window->minimumSize() == window->maximumSize()) window->setFixedSize(fits);
    else window->resize(fits);
    frame.setSize(fits + frameExtra);
    QPoint to = frame.topLeft();
    if (frame.right() > area.right()) to.setX(area.right() - frame.width() + 1);
    if (to.x() < area.left()) to.setX(area.left());
    if (frame.bottom() > area.bottom()) to.setY(area.bottom() - frame.height() + 1);
    if (to.y() < area.top()) to.setY(area.top());
    PlaceClient(window, client.topLeft() + (to - frame.topLeft()));
  }

  static constexpr int kTries = 3;

  QPointer<QWidget> window_;
  bool done_ = false;
  int tries_ = 0;
};

}  // namespace

ShowInPlace::ShowInPlace(QPoint client, bool activate) : client_(client), activate_(activate) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool ShowInPlace::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
  auto* window = static_cast<QWidget*>(watched);
  if (!window->isWindow()) return false;
  // The show event comes before the desktop is asked to map the window.
  window->setAttribute(Qt::WA_ShowWithoutActivating, !activate_);
  // The platform window exists by now and takes the attribute only as it is made: it is told too.
  if (QWindow* handle = window->windowHandle()) handle->setProperty("_q_showWithoutActivating", !activate_);
  PlaceClient(window, client_);
  return false;
}

void PlaceClient(QWidget* window, QPoint client) {
  // The client area's geometry: the frame's position would be read as the client area's while
  // the desktop has not framed the new window yet, moving it by the frame's size at every save.
  window->setGeometry(QRect(client, window->size()));
}

void KeepOnScreen(QWidget* window) {
  if (window == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  // No desktop's frame is this wide: a window this much smaller than the screen fits, whatever
  // its frame, and the desktop is not asked.
  constexpr int kWidestFrame = 100;
  const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  const QSize room = screen != nullptr ? screen->availableGeometry().size() : QSize();
  if (window->width() + kWidestFrame <= room.width() && window->height() + kWidestFrame <= room.height()) return;
  new OnScreenKeeper(window);
}

}  // namespace formtool

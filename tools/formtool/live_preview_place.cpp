#include "tools/formtool/live_preview_place.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace formtool {
namespace {

// Waits for the desktop to frame the window (until then its frame is its client area), then
// makes it fit once.
class OnScreenKeeper : public QObject {
 public:
  OnScreenKeeper(QWidget* window, bool wholeTitle) : QObject(window), window_(window), wholeTitle_(wholeTitle) {
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
    if (done_ || window_.isNull() || !window_->isVisible() || window_->frameGeometry() == window_->geometry()) return;
    done_ = true;
    Fit();
    deleteLater();
  }

  void Fit() {
    QWidget* window = window_;
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QSize frameExtra = frame.size() - client.size();
    const bool tooBig = frame.width() > area.width() || frame.height() > area.height();
    if (!tooBig && !wholeTitle_) return;
    if (tooBig) {
      const QSize fits(std::min(client.width(), area.width() - frameExtra.width()),
                       std::min(client.height(), area.height() - frameExtra.height()));
      // A window of fixed size stays fixed, at the size that fits.
      if (window->minimumSize() == window->maximumSize()) window->setFixedSize(fits);
      else window->resize(fits);
      frame.setSize(fits + frameExtra);
    }
    QPoint to = frame.topLeft();
    if (frame.right() > area.right()) to.setX(area.right() - frame.width() + 1);
    if (to.x() < area.left()) to.setX(area.left());
    if (frame.bottom() > area.bottom() && tooBig) to.setY(area.bottom() - frame.height() + 1);
    if (to.y() < area.top()) to.setY(area.top());
    if (to != frame.topLeft()) PlaceClient(window, client.topLeft() + (to - frame.topLeft()));
  }

  QPointer<QWidget> window_;
  bool wholeTitle_;
  bool done_ = false;
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

void KeepOnScreen(QWidget* window, bool wholeTitle) {
  if (window == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  new OnScreenKeeper(window, wholeTitle);
}

}  // namespace formtool

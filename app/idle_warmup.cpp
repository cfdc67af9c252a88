#include "app/idle_warmup.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QTimer>

#include "host/host.h"

namespace toolbox {
namespace {

// Long enough after the first paint for the window to be on the screen and the start's own
// work done; short enough to be over before a user reaches for a button.
constexpr int kQuietMs = 250;

class AfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    watched->removeEventFilter(this);
    QTimer::singleShot(kQuietMs, this, [this] {
      // A window opened meanwhile has set it all up already.
      if (QApplication::activeModalWidget() == nullptr) {
        QFontMetrics(QFont()).height();
        runtime::DecodePicturesAhead();
      }
      deleteLater();
    });
    return false;
  }
};

}  // namespace

void WarmUpWhenIdle(QWidget* mainWindow) {
  if (mainWindow == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  mainWindow->installEventFilter(new AfterFirstPaint(mainWindow));
}

}  // namespace toolbox

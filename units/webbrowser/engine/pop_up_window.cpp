#include "units/webbrowser/engine/pop_up_window.h"

#include <QScreen>
#include <algorithm>
#include <QTimer>
#include <QWindow>

#include "units/webbrowser/browser_control.h"
#include "units/webbrowser/engine/engine_page.h"
#include "units/webbrowser/engine/view_input.h"

namespace units::webbrowser {
namespace {

constexpr QSize kSize(800, 600);
// Placed a little below and right of the tool window, so both are seen to be separate.
constexpr QPoint kOffset(40, 40);

}  // namespace

PopUpWindow::PopUpWindow(QWidget* toolWindow, BrowserEvents* events) : QWebEngineView(static_cast<QWidget*>(nullptr)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  input_ = new ViewInput(this);
  input_->takesInput = [events] { return events->TakesInput(); };
  page_ = new EnginePage(this, input_);
  page_->reportsToBox = false;  // its events are not the box's
  page_->events = events;
  setPage(page_);

  QRect place(toolWindow->frameGeometry().topLeft() + kOffset, kSize);
  if (const QScreen* screen = toolWindow->screen()) {
    const QRect area = screen->availableGeometry();
    place.setSize(place.size().boundedTo(area.size()));
    place.moveRight(std::min(place.right(), area.right()));
    place.moveBottom(std::min(place.bottom(), area.bottom()));
  }
  setGeometry(place);
  winId();  // the native window, so that it can stand over the tool window's
  if (windowHandle() != nullptr && toolWindow->windowHandle() != nullptr)
    windowHandle()->setTransientParent(toolWindow->windowHandle());

  connect(page_, &QWebEnginePage::urlChanged, this, [this](const QUrl& url) { setWindowTitle(url.toString()); });
  // Its own page may close it, from the event loop rather than inside the engine's call.
  connect(page_, &QWebEnginePage::windowCloseRequested, this, [this] { QTimer::singleShot(0, this, &QWidget::close); });
}

void PopUpWindow::Release() {
  hide();
  input_->takesInput = [] { return false; };  // the box whose window it followed is gone
  page_->ReleaseView();
}

}  // namespace units::webbrowser

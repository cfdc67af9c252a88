#include "units/webbrowser/engine/engine_page.h"

#include <QPointer>
#include <QTimer>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWidget>

#include "units/webbrowser/engine/closed_views.h"
#include "units/webbrowser/engine/outside_address.h"
#include "units/webbrowser/engine/view_input.h"

namespace units::webbrowser {

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (!offline) return;
  const QString scheme = info.requestUrl().scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ws") ||
      scheme == QLatin1String("wss") || scheme == QLatin1String("ftp"))
    info.block(true);
}

EnginePage::EnginePage(QWidget* view, ViewInput* input) : QWebEnginePage(view), input_(input) {
  interceptor = new OfflineInterceptor(this);
  setUrlRequestInterceptor(interceptor);
  QWebEngineSettings* s = settings();
  // Windows only for a click: the engine then also allows one window per click.
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  // Another program's address reaches acceptNavigationRequest only after a click; it is refused
  // there and put to the user.
  s->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
  s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);

  // The toolbox's pages need no permission; a page waiting for an answer gets "no" at once.
  connect(this, &QWebEnginePage::featurePermissionRequested, this, [this](const QUrl& origin, Feature feature) {
    setFeaturePermission(origin, feature, PermissionDeniedByUser);
  });
  connect(this, &QWebEnginePage::fullScreenRequested, this,
          [](QWebEngineFullScreenRequest request) { request.reject(); });
  connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
          [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
  connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
          [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
}

QWidget* EnginePage::View() const { return qobject_cast<QWidget*>(parent()); }

void EnginePage::ReleaseView() {
  events = nullptr;
  openPopUp = nullptr;
  downloadRefused = nullptr;
  QWidget* view = View();
  if (view == nullptr) return;
  RememberClosedView(view);
  if (InBox())
    releaseView_ = true;  // deleted once the box is answered and the engine's call has returned
  else
    view->deleteLater();
}

bool EnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  // The note is loaded as a data address; any other navigation leaves it.
  if (showingOwnPage && url.scheme() == QLatin1String("data")) return true;
  const AddressKind kind = KindOf(url);
  if (kind == AddressKind::kRefused) return false;
  if (kind == AddressKind::kShown && isMainFrame) {
    showingOwnPage = false;
    boxesShown_ = 0;
    boxesSilenced_ = false;
  }
  NavigationRequest request;
  request.url = url.toString();
  if (type == NavigationTypeTyped && isMainFrame && !expected_.url.isEmpty() && url == QUrl(expected_.url)) {
    request = expected_;
    request.url = url.toString();
  }
  expected_ = NavigationRequest();
  if (events != nullptr && reportsToBox) {
    events->BeforeNavigate(request);
    if (request.cancel) return false;
  }
  if (kind == AddressKind::kShown) return true;
  // Only right after the user's click in this view, one question per click, and never while the
  // window is blocked; asked from the event loop, not inside the engine's call.
  if (events != nullptr && events->TakesInput() && input_ != nullptr && input_->TakeClick())
    QTimer::singleShot(0, this, [this, url] { AskOutside(url); });
  return false;
}

void EnginePage::AskOutside(const QUrl& address) {
  QWidget* view = View();
  if (events == nullptr || view == nullptr || view->window() == view || !events->TakesInput()) return;
  QPointer<QWidget> window = view->window();
  PageBoxRequest request;
  request.kind = PageBoxRequest::kOutsideProgram;
  request.host = address.host();
  const QString full = address.toString(QUrl::FullyEncoded);
  request.message = OutsideQuestion(address, events->OutsideProgram(full));
  ++boxesUp_;
  const PageBoxAnswer answer = RunPageBox(window, input_, request);
  --boxesUp_;
  if (answer.accepted && events != nullptr && events->TakesInput()) events->OpenOutside(full);
  Answered(answer, window);
}

QWebEnginePage* EnginePage::createWindow(WebWindowType /*type*/) {
  if (!openPopUp || events == nullptr || !events->TakesInput() || input_ == nullptr || !input_->TakeClick())
    return nullptr;
  if (events->NewWindow() || !openPopUp) return nullptr;  // refused, or the box went meanwhile
  return openPopUp();
}

PageBoxAnswer EnginePage::ShowBox(PageBoxRequest::Kind kind, const QUrl& origin, const QString& message,
                                  const QString& value) {
  QWidget* view = View();
  // A blocked window's page brings up nothing over it.
  if (silent || boxesSilenced_ || events == nullptr || !events->TakesInput() || view == nullptr ||
      view->window() == view)
    return {};
  QPointer<QWidget> window = view->window();
  PageBoxRequest request;
  request.kind = kind;
  request.host = origin.host();
  request.message = message;
  request.value = value;
  request.offerSilence = boxesShown_ > 0;
  ++boxesShown_;
  ++boxesUp_;
  const PageBoxAnswer answer = RunPageBox(window, input_, request);
  --boxesUp_;
  if (answer.silence) boxesSilenced_ = true;
  Answered(answer, window);
  return answer;
}

void EnginePage::Answered(const PageBoxAnswer& answer, QWidget* window) {
  if (answer.closeWindow) {
    // The page may ask again before the window has closed: it asks in vain.
    boxesSilenced_ = true;
    QPointer<QWidget> closing(window);
    if (closing) QTimer::singleShot(0, closing, [closing] { closing->close(); });
  }
  if (releaseView_ && !InBox()) {
    releaseView_ = false;
    if (QWidget* view = View()) view->deleteLater();
  }
}

void EnginePage::javaScriptAlert(const QUrl& origin, const QString& message) {
  ShowBox(PageBoxRequest::kAlert, origin, message);
}

bool EnginePage::javaScriptConfirm(const QUrl& origin, const QString& message) {
  return ShowBox(PageBoxRequest::kConfirm, origin, message).accepted;
}

bool EnginePage::javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                                  QString* result) {
  const PageBoxAnswer answer = ShowBox(PageBoxRequest::kPrompt, origin, message, value);
  if (answer.accepted && result != nullptr) *result = answer.value;
  return answer.accepted;
}

}  // namespace units::webbrowser

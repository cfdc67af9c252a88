#include "units/webbrowser/engine/engine_page.h"

#include <QWebEngineLoadingInfo>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineView>

namespace units::web {
namespace {

const QString kBlank = QStringLiteral("about:blank");

}  // namespace

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (!offline) return;
  const QString scheme = info.requestUrl().scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ws") ||
      scheme == QLatin1String("wss") || scheme == QLatin1String("ftp"))
    info.block(true);
}

EnginePage::EnginePage(QObject* parent) : QWebEnginePage(parent) {
  interceptor = new OfflineInterceptor(this);
  setUrlRequestInterceptor(interceptor);
  // Connected first, so the blank load's end is known before anyone else hears of it.
  connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
    if (blanking && info.status() != QWebEngineLoadingInfo::LoadStartedStatus && info.url() == QUrl(kBlank))
      blanking = false;
  });
}

void EnginePage::Blank() {
  blanking = true;
  showingOwnPage = false;
  setUrl(QUrl(kBlank));
}

bool EnginePage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  // The note is loaded as a data address; any other navigation leaves it.
  if (showingOwnPage && url.scheme() == QLatin1String("data")) return true;
  showingOwnPage = false;
  NavigationRequest request;
  request.url = url.toString();
  if (type == NavigationTypeTyped && isMainFrame && !expected_.url.isEmpty() && url == QUrl(expected_.url)) {
    request = expected_;
    request.url = url.toString();
  }
  expected_ = NavigationRequest();
  if (events == nullptr) return true;
  events->BeforeNavigate(request);
  return !request.cancel;
}

QWebEnginePage* EnginePage::createWindow(WebWindowType /*type*/) {
  if (events == nullptr || events->NewWindow()) return nullptr;
  // An accepted pop-up gets a plain window of its own, which goes with the box's view.
  auto* owner = qobject_cast<QWidget*>(parent());
  auto* window = new QWebEngineView(owner);
  window->setWindowFlag(Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->resize(800, 600);
  window->show();
  return window->page();
}

void EnginePage::javaScriptAlert(const QUrl& origin, const QString& message) {
  if (!silent && !parked) QWebEnginePage::javaScriptAlert(origin, message);
}

bool EnginePage::javaScriptConfirm(const QUrl& origin, const QString& message) {
  if (parked) return true;  // asked whether the page may be left
  return !silent && QWebEnginePage::javaScriptConfirm(origin, message);
}

bool EnginePage::javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                                  QString* result) {
  return !silent && !parked && QWebEnginePage::javaScriptPrompt(origin, message, value, result);
}

}  // namespace units::web

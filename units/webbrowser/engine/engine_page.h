#pragma once
// The engine's page as the web browser box needs it: every navigation and every new window is
// offered to the box first, script dialogs are dropped while the box is silent, and network
// requests are refused while it is offline.
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include "units/webbrowser/browser_control.h"

namespace units::web {

// Refuses every request that would leave the machine while `offline` is set.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  bool offline = false;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

class EnginePage : public QWebEnginePage {
 public:
  explicit EnginePage(QObject* parent);

  // Null once the box is gone: the page may outlive it by a turn of the event loop.
  BrowserEvents* events = nullptr;
  bool silent = false;
  OfflineInterceptor* interceptor = nullptr;
  // Set while the page shows its own note for an address that could not be reached, from its
  // load until the next navigation: the note is not the box's page, so none of its loading or
  // hovering is reported.
  bool showingOwnPage = false;
  // Set while the page waits for the next box: it opens no dialog and lets itself be left.
  bool parked = false;
  // Set from Blank() until that load has ended.
  bool blanking = false;

  // Leaves whatever the page shows for a blank page.
  void Blank();

  // What the next navigation to `url` was asked with, so that the box hears it back.
  void ExpectNavigation(const NavigationRequest& request) { expected_ = request; }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value, QString* result) override;

 private:
  NavigationRequest expected_;
};

}  // namespace units::web

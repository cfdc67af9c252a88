#pragma once
// The engine's page as the web browser box needs it, and as a careful browser keeps a tab: every
// navigation and new window is offered to the box first; local files are never opened; an address
// for another program goes there only after the user's click and answer; a window opens only for
// a click, one per click; the page's boxes stand over its own window and can be silenced; it is
// refused every permission; and its network requests stop while the box is offline.
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include <functional>

#include "units/webbrowser/browser_control.h"
#include "units/webbrowser/engine/page_box.h"

namespace units::webbrowser {

class ViewInput;

// Refuses every request that would leave the machine while `offline` is set.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  bool offline = false;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

class EnginePage : public QWebEnginePage {
 public:
  // A page of `view` (which owns it), whose user input `input` watches.
  EnginePage(QWidget* view, ViewInput* input);

  // Null once the box is gone: the page outlives it until the event loop deletes its view.
  BrowserEvents* events = nullptr;
  // Whether what the page does is the box's own (its events); a pop-up's page is not.
  bool reportsToBox = true;
  bool silent = false;
  OfflineInterceptor* interceptor = nullptr;
  // Set while the page shows its own note in place of a page that could not be shown, from its
  // load until the next navigation: the note is not the box's page, so none of its loading or
  // hovering is reported.
  bool showingOwnPage = false;
  // Opens a pop-up window for the page and answers its page; unset: the page opens none.
  std::function<QWebEnginePage*()> openPopUp;
  // Told the name of a file the page wanted to download, which was refused.
  std::function<void(const QString& name)> downloadRefused;

  // What the next navigation to `url` was asked with, so that the box hears it back.
  void ExpectNavigation(const NavigationRequest& request) { expected_ = request; }
  // Whether one of the page's boxes is up now, waiting inside one of the engine's calls.
  bool InBox() const { return boxesUp_ > 0; }
  // Asks for the page's view to be deleted once no box of the page is up.
  void ReleaseView();

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value, QString* result) override;

 private:
  QWidget* View() const;
  PageBoxAnswer ShowBox(PageBoxRequest::Kind kind, const QUrl& origin, const QString& message,
                        const QString& value = {});
  // After the answer the window closes, if the user asked for that meanwhile.
  void Answered(const PageBoxAnswer& answer, QWidget* window);
  // Asks the user whether `address` may go to its program, and hands it on if so.
  void AskOutside(const QUrl& address);

  ViewInput* input_;
  NavigationRequest expected_;
  int boxesUp_ = 0;
  int boxesShown_ = 0;  // since the page last navigated
  bool boxesSilenced_ = false;
  bool releaseView_ = false;
};

}  // namespace units::webbrowser

// The engine module's entries: makes browser controls for web browser boxes, and deletes the views
// of closed boxes that are still waiting for the event loop when the program ends.
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include "platform/chinese_texts.h"
#include "units/webbrowser/engine/closed_views.h"
#include "units/webbrowser/engine/engine_control.h"

namespace {

// Settings of the engine and of the profile every page shares, made once, before the first page.
// The engine's sandbox is never turned off here: that is the user's choice alone.
void PrepareEngine() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  // Pages are composited in software, never on the graphics card: the toolbox's pages are text
  // and forms, which look the same either way, and so no OpenGL driver is loaded (about 50 ms
  // and 25 MiB on the first page) and no page reaches the graphics stack (no WebGL).
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
  profile->setHttpAcceptLanguage(QLatin1String(platform::kPageLanguages));
  // No page writes a file: a download is refused, and its page's window says so.
  QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile, [](QWebEngineDownloadRequest* download) {
    download->cancel();
    if (auto* page = dynamic_cast<units::webbrowser::EnginePage*>(download->page()); page && page->downloadRefused)
      page->downloadRefused(download->suggestedFileName());
  });
}

}  // namespace

extern "C" Q_DECL_EXPORT units::webbrowser::BrowserControl* quarlex_create_browser_control(
    QWidget* parent, units::webbrowser::BrowserEvents* events, int32_t interfaceVersion) {
  if (interfaceVersion != units::webbrowser::kBrowserInterfaceVersion || parent == nullptr || events == nullptr)
    return nullptr;
  PrepareEngine();
  return new units::webbrowser::EngineControl(parent, events);
}

extern "C" Q_DECL_EXPORT void quarlex_release_browser_module() { units::webbrowser::DeleteClosedViews(); }

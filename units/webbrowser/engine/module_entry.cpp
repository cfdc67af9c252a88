// The engine module's entries: makes browser controls for web browser boxes, and deletes the views
// of closed boxes that are still waiting for the event loop when the program ends.
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include "platform/chinese_texts.h"
#include "units/webbrowser/engine/closed_views.h"
#include "units/webbrowser/engine/engine_control.h"

namespace {

// Settings of the profile every page shares, made once, when the first page is made. The
// engine's sandbox is never turned off here: that is the user's choice alone.
void PrepareProfile() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
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
  PrepareProfile();
  return new units::webbrowser::EngineControl(parent, events);
}

extern "C" Q_DECL_EXPORT void quarlex_release_browser_module() { units::webbrowser::DeleteClosedViews(); }

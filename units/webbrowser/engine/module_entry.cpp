// The engine module's entries: makes browser controls for web browser boxes, and lets go of the
// page it keeps between them.
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "units/webbrowser/engine/engine_control.h"
#include "units/webbrowser/engine/spare_page.h"

namespace {

// Settings the engine reads once, when its first page is made.
void PrepareEngine() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
#ifdef Q_OS_UNIX
  // The engine's sandbox stays on for every normal user. It cannot run for the superuser (the
  // engine refuses to start at all), so only a process running as root goes without it.
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

}  // namespace

extern "C" Q_DECL_EXPORT units::web::BrowserControl* quarlex_create_browser_control(
    QWidget* parent, units::web::BrowserEvents* events, int32_t interfaceVersion) {
  if (interfaceVersion != units::web::kBrowserInterfaceVersion || parent == nullptr || events == nullptr)
    return nullptr;
  PrepareEngine();
  return new units::web::EngineControl(parent, events);
}

extern "C" Q_DECL_EXPORT void quarlex_release_browser_module() { units::web::ReleaseSparePage(); }

#pragma once
// The browser engine module, loaded when the first web browser box is made.
#include "units/webbrowser/browser_control.h"

namespace units::webbrowser {

// Loads the module on first call (from the installed program's module folder, the build's lib
// folder or the program's own folder) and answers its control factory; null when it cannot be
// found or is not ours. A module once loaded stays loaded.
CreateBrowserControlFn BrowserControlFactory();

// Lets the module delete the views of closed boxes still waiting to go; nothing when it was never
// loaded.
void ReleaseBrowserModule();

// Why the engine cannot show pages in this process, in Chinese; empty when it can. The engine's
// sandbox cannot run for the superuser, and only the user may choose to go without it
// (QTWEBENGINE_DISABLE_SANDBOX=1), never the program.
QString EngineRefusal();

}  // namespace units::webbrowser

#include "units/webbrowser/engine_module.h"

#include <QCoreApplication>
#include <QLibrary>

#include <string>

#include "platform/program_path.h"

namespace units::web {
namespace {

// The engine needs OpenGL contexts shared across the application, and that can only be asked
// for before the application object exists. A Qt Core call, so the program does not link the
// engine for it; made while the program's static objects are built, before any main runs.
const bool kSharedContextsAsked = [] {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  return true;
}();

CreateBrowserControlFn LoadFactory() {
  // Installed: the program's private module folder. Built: the build tree's lib folder. Both
  // found from the program's own place, never from the current directory.
  const std::string directory = platform::ProgramDirectory();
  for (const std::string& place : {directory + "/" QUARLEX_MODULES_FROM_PROGRAM "/quarlex_web",
                                   directory + "/../lib/quarlex_web", directory + "/quarlex_web"}) {
    QLibrary module(QString::fromStdString(place));
    if (!module.load()) continue;
    if (auto factory = reinterpret_cast<CreateBrowserControlFn>(module.resolve(kCreateBrowserControlName)))
      return factory;
  }
  return nullptr;
}

}  // namespace

CreateBrowserControlFn BrowserControlFactory() {
  static const CreateBrowserControlFn factory = LoadFactory();
  return factory;
}

}  // namespace units::web

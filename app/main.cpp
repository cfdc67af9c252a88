// quarlex-toolbox: the framework start-up runs the program's entry stub.
#include <QGuiApplication>

#include <cstdio>

#include "app/toolbox.h"
#include "platform/desktop_session.h"
#include "host/host.h"

namespace {

// Without a desktop Qt would abort with a message of its own; the user is told what to do.
bool ExplainMissingDesktop(int argc, char** argv) {
  if (platform::FindDesktopSession(argc, argv)) return false;
  std::fprintf(stderr, "%s\n", platform::NoDesktopMessage(argc > 0 ? argv[0] : "quarlex-toolbox").c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (ExplainMissingDesktop(argc, argv)) return 1;
  // Desktops match the windows to the program's menu entry (and its icon) by this name, and on
  // X11 by the window class, which is the application's name: the entry's StartupWMClass.
  QGuiApplication::setDesktopFileName(QStringLiteral(QUARLEX_DESKTOP_ID));
  QCoreApplication::setApplicationName(QStringLiteral(QUARLEX_WINDOW_CLASS));
  return runtime::StartApplication(argc, argv, toolbox::EntryStub);
}

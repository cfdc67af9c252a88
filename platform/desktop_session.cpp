#include "platform/desktop_session.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

bool FindDesktopSession(int argc, char** argv) {
#if defined(__unix__) && !defined(__APPLE__)
  if (IsSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
  }
  if (IsSet("DISPLAY")) return true;
  if (!IsSet("WAYLAND_DISPLAY")) return false;
  setenv("QT_QPA_PLATFORM", "wayland", 1);
  return true;
#else
  // Windows and macOS always have their desktop.
  (void)argc;
  (void)argv;
  return true;
#endif
}

std::string NoDesktopMessage(const std::string& program) {
  return "Quarlex工具箱需要图形桌面：请在桌面中启动，或用虚拟桌面运行（xvfb-run -a " + program +
         "）。 / The Quarlex toolbox needs a graphical desktop: start it from a desktop session, or run it on "
         "a virtual one with `xvfb-run -a " + program + "`.";
}

}  // namespace platform

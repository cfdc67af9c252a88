// formtool show: opens one window of a template with the real runtime and unit types on the
// desktop, as the program would show it, until it is closed. Handlers are not run.
#include <QApplication>

#include <cstdio>

#include "runtime/host/host.h"
#include "tools/formtool/commands.h"
#include "tools/formtool/preview_host.h"
#include "tools/formtool/unit_catalogue.h"
#include "tools/formtool/window_check.h"

namespace formtool {

int Show(const Args& args) {
  uint32_t windowId = 0;
  if (args.size() != 2 || !ParseId(args[1], &windowId)) {
    std::fputs("usage: formtool show TEMPLATE WINDOW_ID\n", stderr);
    return 2;
  }
  PreviewHost host;
  if (!host.Read(args[0], "show")) return 1;
  if (std::string why = WhyNoWindow(host.Windows(), windowId, ProgramUnitTypes()); !why.empty()) {
    std::fprintf(stderr, "formtool show: %s: %s\n", args[0].c_str(), why.c_str());
    return 1;
  }
  int argc = 1;
  char name[] = "formtool";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  host.Start(3);
  runtime::LoadStartupWindow(windowId);
  runtime::Run();
  runtime::StopHost();
  return 0;
}

}  // namespace formtool

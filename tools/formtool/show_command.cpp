// formtool show: opens one window of a form with the real runtime and unit types on the
// desktop, as the program would show it, until it is closed. Handlers are not run. With
// --watch the window is rebuilt in place on every save of the form or of a file it names; with
// --events each event a unit raises is printed as a line. Ctrl+click on a unit prints where it
// stands in the form and its properties by name.
#include <QApplication>
#include <QEventLoop>

#include <cstdio>
#include <vector>

#include "tools/formtool/commands.h"
#include "tools/formtool/live_preview.h"
#include "tools/formtool/preview_host.h"
#include "tools/formtool/unit_catalogue.h"
#include "tools/formtool/window_check.h"

namespace formtool {
namespace {

constexpr const char* kUsage = "usage: formtool show FORM [WINDOW_ID] [--watch] [--events]\n";

bool ParseArgs(const Args& args, LivePreview::Options* options, bool* events) {
  std::vector<std::string> positional;
  for (const std::string& arg : args) {
    if (arg == "--watch") options->watch = true;
    else if (arg == "--events") *events = true;
    else if (arg.starts_with("-")) return false;
    else positional.push_back(arg);
  }
  if (positional.empty() || positional.size() > 2) return false;
  options->form = positional[0];
  return positional.size() == 1 || ParseId(positional[1], &options->windowId);
}

}  // namespace

int Show(const Args& args) {
  LivePreview::Options options;
  bool events = false;
  if (!ParseArgs(args, &options, &events)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (events) {
    options.events = [](const QString& line) {
      std::fprintf(stdout, "%s\n", line.toUtf8().constData());
      std::fflush(stdout);
    };
  }
  // A form that does not compile, or has no such window, is reported before a desktop is needed.
  PreviewHost host;
  if (!host.Read(options.form, "show")) return 1;
  const uint32_t windowId = options.windowId != 0 ? options.windowId : host.FirstWindow();
  if (std::string why = WhyNoWindow(host.Windows(), windowId, ProgramUnitTypes()); !why.empty()) {
    std::fprintf(stderr, "formtool show: %s: %s\n", options.form.c_str(), why.c_str());
    return 1;
  }
  int argc = 1;
  char name[] = "formtool";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  LivePreview preview(options);
  if (!preview.Open()) return 1;
  QEventLoop loop;
  preview.OnClosed([&loop] { loop.quit(); });
  if (preview.Window() != nullptr) loop.exec();
  return 0;
}

}  // namespace formtool

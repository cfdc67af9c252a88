// formtool render: builds one window of a form (a form source compiled in memory, or template
// data) with the real runtime and unit types on the offscreen platform and writes a picture of
// its client area. Handlers are not run: every handler offset the template binds is mapped to
// one that does nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QWindow>

#include <cstdio>
#include <string>
#include <vector>

#include "host/host.h"
#include "tools/formtool/commands.h"
#include "tools/formtool/pending_files.h"
#include "tools/formtool/preview_host.h"
#include "tools/formtool/unit_catalogue.h"
#include "tools/formtool/window_check.h"
#include "contract/unit.h"

namespace formtool {
namespace {

constexpr const char* kUsage = "usage: formtool render FORM WINDOW_ID -o OUT.png [--focus UNIT_ID]\n";
constexpr int kPaintWaitMs = 3000;

struct Options {
  std::string file, out;
  uint32_t windowId = 0;
  uint32_t focusId = 0;
};

bool ParseArgs(const Args& args, Options* options) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "-o" && hasValue) options->out = args[++i];
    else if (args[i] == "--focus" && hasValue) {
      if (!ParseId(args[++i], &options->focusId)) return false;
    } else if (args[i].starts_with("-")) return false;
    else positional.push_back(args[i]);
  }
  if (positional.size() != 2 || options->out.empty()) return false;
  options->file = positional[0];
  return ParseId(positional[1], &options->windowId);
}

void WaitUntilPainted(QWidget* window) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < kPaintWaitMs && (window->windowHandle() == nullptr || !window->windowHandle()->isExposed()))
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

int Render(const Args& args) {
  Options options;
  if (!ParseArgs(args, &options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  PreviewHost host;
  if (!host.Read(options.file, "render")) return 1;
  if (std::string why = WhyNoWindow(host.Windows(), options.windowId, ProgramUnitTypes()); !why.empty()) {
    std::fprintf(stderr, "formtool render: %s: %s\n", options.file.c_str(), why.c_str());
    return 1;
  }

  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "formtool";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  host.Start(0);  // shown normally, whatever position the window asks for

  runtime::LoadStartupWindow(options.windowId);
  units::Unit* windowUnit = runtime::LiveUnit(options.windowId, 0);
  if (windowUnit == nullptr) {
    std::fputs("formtool render: the window closed itself while it was built\n", stderr);
    runtime::StopHost();
    return 1;
  }
  QWidget* window = windowUnit->widget();
  window->show();
  window->activateWindow();
  WaitUntilPainted(window);
  if (options.focusId != 0) {
    units::Unit* focus = runtime::LiveUnit(options.windowId, options.focusId);
    if (focus == nullptr) {
      std::fprintf(stderr, "formtool render: no unit 0x%08X in that window\n", options.focusId);
      runtime::StopHost();
      return 1;
    }
    focus->widget()->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  const QSize client = window->size();
  const QImage picture = window->grab().toImage();
  runtime::StopHost();
  if (client.isEmpty() || picture.isNull()) {
    std::fprintf(stderr, "formtool render: %s: window 0x%08X has a client area of %d x %d pixels: nothing to draw\n",
                 options.file.c_str(), options.windowId, client.width(), client.height());
    return 1;
  }
  PendingFiles out;
  std::string error;
  QIODevice* file = out.Open(QString::fromStdString(options.out), &error);
  if (file != nullptr && !picture.save(file, "PNG")) error = "cannot write " + options.out + ": not as PNG";
  if (file == nullptr || !error.empty() || !out.Commit(&error)) {
    std::fprintf(stderr, "formtool render: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace formtool

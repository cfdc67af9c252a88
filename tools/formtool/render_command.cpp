// formtool render: builds one window of a template with the real runtime and unit types on the
// offscreen platform and writes a picture of its client area. Handlers are not run: every
// handler offset the template binds is mapped to one that does nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"
#include "runtime/host/host.h"
#include "runtime/program/bridge.h"
#include "runtime/program/program_header.h"
#include "runtime/program/runtime_error.h"
#include "runtime/program/services.h"
#include "runtime/template/template_reader.h"
#include "runtime/template/unit_record.h"
#include "tools/formtool/commands.h"
#include "units/framework/unit.h"
#include "units/libraries/core_library.h"
#include "units/libraries/ui1_library.h"
#include "units/libraries/ui2_library.h"
#include "units/libraries/web_library.h"

namespace formtool {
namespace {

constexpr const char* kUsage = "usage: formtool render TEMPLATE WINDOW_ID -o OUT.png [--focus UNIT_ID]\n";
constexpr int kPaintWaitMs = 3000;

struct Options {
  std::string file, out;
  uint32_t windowId = 0;
  uint32_t focusId = 0;
};

bool ParseId(const std::string& text, uint32_t* id) {
  try {
    std::size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 0);
    if (used != text.size() || value == 0 || value > 0xFFFFFFFFul) return false;
    *id = static_cast<uint32_t>(value);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

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

bool NoHandler(const intptr_t*, int32_t, int64_t*) { return false; }

// Every handler offset the template binds, so that the host can relocate each of them.
std::vector<int32_t> BoundOffsets(const runtime::WindowTable& windows) {
  std::set<int32_t> offsets;
  for (std::size_t w = 0; w < windows.Size(); ++w) {
    const runtime::UnitList& units = windows.At(w).units;
    for (uint32_t i = 0; i < units.Count(); ++i) {
      auto entry = units.EntryAt(i);
      if (!entry) continue;
      if (units.IsMenuItem(i)) {
        runtime::MenuItemView item(entry->record);
        if (item.Valid() && item.Handler() >= 0) offsets.insert(item.Handler());
        continue;
      }
      for (const runtime::EventBinding& binding : runtime::UnitRecordView(entry->record).Bindings())
        if (binding.handler >= 0) offsets.insert(binding.handler);
    }
  }
  return {offsets.begin(), offsets.end()};
}

// A runtime error ends the preview with the runtime's message and status 1.
int32_t ReportAndExit(int32_t, int32_t code, const char* message) {
  const std::string text = runtime::RuntimeErrorText(code, message != nullptr ? message : "");
  std::fprintf(stderr, "%s\n", platform::FromGbk(text).toUtf8().constData());
  std::fflush(stderr);
  std::_Exit(1);
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
  QFile file(QString::fromStdString(options.file));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "formtool render: cannot read %s\n", options.file.c_str());
    return 1;
  }
  const QByteArray bytes = file.readAll();
  const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size()));
  std::optional<runtime::WindowTable> stored = runtime::ReadTemplateAsStored(data);
  if (!stored) {
    std::fputs("载入窗口模板数据段出错!\n", stderr);
    return 1;
  }
  std::vector<int32_t> offsets = BoundOffsets(*stored);
  std::vector<runtime::EventHandler> handlers(offsets.size(), NoHandler);

  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "formtool";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);

  std::vector<const runtime::LibraryRecord*> libraries = {&units::CoreLibrary(), &units::Ui2Library(),
                                                          &units::Ui1Library(), &units::WebLibrary()};
  runtime::HandlerTable table{static_cast<uint32_t>(offsets.size()), offsets.data(), handlers.data()};
  runtime::ProgramHeader header{};
  header.buildMode = 0;  // shown normally, whatever position the window asks for
  header.handlers = &table;
  header.templateData = data.data();
  header.templateLength = static_cast<uint32_t>(data.size());
  header.libraryCount = static_cast<uint32_t>(libraries.size());
  header.libraries = libraries.data();
  runtime::SetErrorRoutine(ReportAndExit);
  runtime::Bridge().service(runtime::service::kStartHost, &header);

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
  const QImage picture = window->grab().toImage();
  runtime::StopHost();
  if (!picture.save(QString::fromStdString(options.out), "PNG")) {
    std::fprintf(stderr, "formtool render: cannot write %s\n", options.out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace formtool

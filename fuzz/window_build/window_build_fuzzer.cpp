// The runtime started on arbitrary window template data, building every window it holds on the
// offscreen platform with the real unit types and letting them paint: a template that reads may
// still hold units that name themselves or each other as parents, sizes far out of range or
// property data a unit type refuses. Each window is built or refused; nothing crashes or hangs.
#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "host/host.h"
#include "host/host_state.h"
#include "host/window_manager.h"
#include "base/program/bridge.h"
#include "base/program/program_header.h"
#include "base/program/services.h"
#include "base/template/template_reader.h"
#include "base/template/bound_handlers.h"
#include "base/template/unit_record.h"
#include "libraries/support_libraries.h"

namespace {

// A template of many windows is still built whole, but a bound keeps one input's time short.
constexpr size_t kMostWindows = 8;
// The platform backs a shown window with a picture of its size: one far larger than any screen
// asks for gigabytes, which is the platform's to refuse, not the runtime's. Such windows are left
// out; their units, of any size, are not.
constexpr int32_t kLargestWindow = 8192;

bool NoHandler(const intptr_t*, int32_t, int64_t*) { return false; }


// Qt's warnings about what the offscreen platform cannot do would drown the fuzzer's own output.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

QApplication& Application() {
  static int argc = 1;
  static char name[] = "fuzz_window_build";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(Quiet);
  static QApplication application(argc, argv);
  return application;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Application();
  std::span<const uint8_t> bytes(data, size);
  // The host takes only data it can read; what it cannot is the loader's business, fuzzed apart.
  std::optional<runtime::WindowTable> stored = runtime::ReadTemplateAsStored(bytes);
  if (!stored) return 0;
  std::vector<int32_t> offsets = runtime::BoundHandlerOffsets(*stored);
  if (!runtime::ReadTemplate(bytes, offsets)) return 0;

  std::vector<runtime::EventHandler> handlers(offsets.size(), NoHandler);
  // The web page library is left out: its engine runs processes of its own, which a fuzzer cannot
  // restart for every input. A window holding a web browser box is refused.
  std::vector<const runtime::LibraryRecord*> libraries(units::SupportLibraries().begin(),
                                                      units::SupportLibraries().end());
  libraries[units::library_number::kWeb - 1] = nullptr;
  runtime::HandlerTable table{static_cast<uint32_t>(offsets.size()), offsets.data(), handlers.data()};
  runtime::ProgramHeader header{};
  header.buildMode = 3;
  header.handlers = &table;
  header.templateData = data;
  header.templateLength = static_cast<uint32_t>(size);
  header.libraryCount = static_cast<uint32_t>(libraries.size());
  header.libraries = libraries.data();
  runtime::Bridge().service(runtime::service::kStartHost, &header);

  runtime::WindowTable& windows = runtime::TheHost().windows;
  for (size_t w = 0; w < windows.Size() && w < kMostWindows; ++w) {
    std::optional<runtime::UnitEntry> own = windows.At(w).units.EntryAt(0);
    if (own && !windows.At(w).units.IsMenuItem(0)) {
      const runtime::UnitRect frame = runtime::UnitRecordView(own->record).Rect();
      if (frame.width > kLargestWindow || frame.height > kLargestWindow) continue;
    }
    runtime::BuildWindow(windows.At(w), false, nullptr);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  runtime::StopHost();
  return 0;
}

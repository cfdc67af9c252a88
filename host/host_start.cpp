// Start-up and shutdown of the runtime host, and the framework start-up around the program.
#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>

#include <unistd.h>

#include <cstdlib>

#include "imaging/picture_cache.h"
#include "platform/chinese_texts.h"
#include "platform/program_path.h"
#include "platform/text.h"
#include "host/accessible_names_apply.h"
#include "host/host.h"
#include "host/host_state.h"
#include "host/message_loop.h"
#include "contract/unit_accessibility.h"
#include "host/window_access.h"
#include "host/window_host_service.h"
#include "base/program/exit.h"
#include "base/program/main_thread.h"
#include "base/program/program.h"
#include "base/program/runtime_error.h"
#include "base/template/template_reader.h"
#include "contract/unit.h"

namespace runtime {
namespace {

// The error box needs someone to dismiss it; a process without a screen (the offscreen
// platform of tests and previews) only writes the report.
void ShowErrorBox(const std::string& gbkText) {
  QString text = platform::FromGbk(gbkText);
  std::fputs(text.toUtf8().constData(), stderr);
  if (qApp == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), text, QMessageBox::Ok);
  box.exec();
}

void HostShutdown(int32_t code) {
  HostState& host = TheHost();
  // Only the main thread tears the windows down: another thread's exit is handed to it there.
  if (!OnMainThread()) HandToMainThread([code] { ExitProgram(code); });
  if (host.shuttingDown) return;
  // From here on no other thread's request is taken, so the hidden owner may go.
  BeginEnding();
  host.shuttingDown = true;
  host.idleCallbacks.clear();
  // Windows go without running handlers: the program is ending.
  ++EventSuppressionCount();
  for (size_t i = 0; i < host.windows.Size(); ++i) delete UnitAt(host.windows.At(i), 0);  // units go with it
  // What the windows left for the event loop to delete goes now: the loop may not run again,
  // and the browser engine's views and pages must go before the application object takes the
  // engine down.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  host.windows = WindowTable();
  RunExitCallbacks();
  for (size_t i = 0; i < host.libraries.size(); ++i) {
    if (host.libraries[i] != nullptr && host.libraries[i]->notify != nullptr)
      host.libraries[i]->notify(library_notify::kShutdown, host.libraryData[i], 0);
  }
  host.hiddenOwner.reset();
  host.loop.reset();
  imaging::ReleasePictureCache();
}

// Called on another thread that hands the main thread a request: the hidden owner exists until
// the main thread begins ending the program, after which nothing is handed over.
void WakeMainThread() {
  QMetaObject::invokeMethod(TheHost().hiddenOwner.get(), [] { ServeHandedRequest(); }, Qt::QueuedConnection);
}

}  // namespace

void StartHost() {
  HostState& host = TheHost();
  if (host.started) return;
  host.started = true;
  host.header = Program().header;

  std::string directory = platform::ProgramDirectory();
  if (!directory.empty() && chdir(directory.c_str()) != 0) directory.clear();

  host.hiddenOwner = std::make_unique<QWidget>(nullptr, Qt::Tool);
  host.hiddenOwner->setObjectName(QStringLiteral("_ZQ_HideOwner"));
  units::KeepFromReaders(host.hiddenOwner.get());
  units::InstallWindowHost(&WindowHostService());
  SetMainThread(std::this_thread::get_id(), WakeMainThread);
  host.loop = std::make_unique<MessageLoop>();
  SetErrorPresenter(ShowErrorBox);
  SetShutdownRoutine(HostShutdown);

  const ProgramHeader* header = host.header;
  if (header == nullptr) return;
  for (uint32_t i = 0; header->libraries != nullptr && i < header->libraryCount; ++i) {
    const LibraryRecord* library = header->libraries[i];
    if (library != nullptr && library->notify != nullptr)
      library->notify(library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(&HostNotifyFunction), 0);
    host.libraries.push_back(library);
    host.libraryData.push_back(0);
  }
  std::span<const int32_t> offsets;
  if (header->handlers != nullptr && header->handlers->offsets != nullptr)
    offsets = {header->handlers->offsets, header->handlers->count};
  AdoptAccessibleNames(*header);
  if (header->templateLength != 0 && header->templateData != nullptr) {
    // The program's template bytes stay as they are for the whole run.
    imaging::AddLastingBytes({header->templateData, header->templateLength});
    host.windows.Append(LoadTemplate({header->templateData, header->templateLength}, offsets));
  }
}

void StopHost() {
  if (!TheHost().started) return;
  HostShutdown(0);
  SetMainThread({}, nullptr);
  TheHost() = HostState();
  units::InstallWindowHost(nullptr);
  SetShutdownRoutine(nullptr);
  SetErrorPresenter(nullptr);
  EventSuppressionCount() = 0;
}

QWidget* HiddenOwner() { return TheHost().hiddenOwner.get(); }

bool BuildingModal() { return TheHost().buildingModal; }

int StartApplication(int& argc, char** argv, int (*entryStub)()) {
  QApplication application(argc, argv);
  platform::UseChineseTexts();
  int result = entryStub();
  ShutDown(result);
  return result;
}

}  // namespace runtime

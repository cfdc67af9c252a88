// Soak: opens and closes each tool window of the toolbox many times, as clicks on the main
// window's buttons do (with a short pause between clicks, in which the event loop runs), and
// reports resident memory and the live objects (widgets, objects, timers, threads, open files,
// bitmaps) before the first cycle, after the tenth and after the last. It fails (exit status 1)
// when an object is left over or memory grew after the tenth cycle by more than 1 MiB. Qt's and
// the browser engine's helpers made once, on first use, are counted from the tenth cycle on; of
// the threads, only the runtime's own count (the engine's worker pool changes with its work).
//
// The pause matters for the web page windows: the browser engine finishes taking a page down
// in later turns of the event loop, and without them it grows by tens of KiB a click.
//
//   toolbox_soak [--cycles N] [--web-cycles N] [--pause-ms N] [--only price|score|answer|schedule]
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/toolbox.h"
#include "platform/bitmaps.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "contract/unit.h"
#include "toolbox_forms.h"

namespace {

struct Tool {
  const char* name;
  uint32_t button;  // on the main window
  uint32_t window;
  bool web;  // a web page window: --web-cycles
};

const Tool kTools[] = {
    {"price", toolbox::main_window::kPriceButton, toolbox::price::kWindow, false},
    {"score", toolbox::main_window::kScoreButton, toolbox::score::kWindow, false},
    {"answer", toolbox::main_window::kAnswerButton, toolbox::answer::kWindow, true},
    {"schedule", toolbox::main_window::kScheduleButton, toolbox::schedule::kWindow, true},
};

constexpr int kWarmUpCycles = 10;
int gPauseMs = 30;
constexpr long kAllowedGrowth = 1024 * 1024;
// Every web page window has a new page of the browser engine, and the engine keeps some memory
// for every page it ever made until the program ends: its own cost, allowed for apart.
constexpr long kAllowedWebGrowth = 2 * 1024 * 1024;

struct Snapshot {
  long residentBytes = 0;
  long heapBytes = 0;  // in use on the heap
  long widgets = 0;
  long objects = 0;
  long timers = 0;
  long threads = 0;
  long ownThreads = 0;  // besides the main thread, those that carry the program's name
  long files = 0;
  long bitmaps = 0;
};

long Entries(const char* folder) {
  return QDir(QString::fromLatin1(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size();
}

std::string ThreadName(const QString& task) {
  std::ifstream comm(("/proc/self/task/" + task + "/comm").toStdString());
  std::string name;
  std::getline(comm, name);
  return name;
}

// The runtime's own threads (an animation's player, a sound) keep the name of the program; the
// browser engine and Qt name theirs.
long OwnThreads() {
  const std::string program = ThreadName(QString::number(getpid()));
  long own = 0;
  for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    if (task.toLong() != getpid() && ThreadName(task) == program) ++own;
  return own;
}

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

// Every object reachable from the application object, the top-level widgets and the windows,
// and the timers they have running.
void CountObjects(Snapshot* s) {
  std::vector<QObject*> roots{qApp};
  for (QWidget* widget : QApplication::topLevelWidgets()) roots.push_back(widget);
  for (QWindow* window : QGuiApplication::allWindows())
    if (window->parent() == nullptr) roots.push_back(window);
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  for (QObject* root : roots) {
    QList<QObject*> all = root->findChildren<QObject*>();
    all.prepend(root);
    s->objects += all.size();
    for (QObject* object : all) s->timers += dispatcher->registeredTimers(object).size();
  }
}

// What the last window left for the event loop goes first; the browser engine closes its
// renderers' channels a little later, so the threads and files are read until they hold still.
void Settle() {
  constexpr int kMaxRounds = 60;
  long threads = -1, files = -1;
  for (int round = 0; round < kMaxRounds; ++round) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long nowThreads = Entries("/proc/self/task"), nowFiles = Entries("/proc/self/fd");
    if (nowThreads == threads && nowFiles == files) return;
    threads = nowThreads;
    files = nowFiles;
    QThread::msleep(50);
  }
}

Snapshot Take() {
  Settle();
  // Freed heap pages go back to the system, so that only what is still held counts.
  malloc_trim(0);
  Snapshot s;
  s.residentBytes = ResidentBytes();
  s.heapBytes = static_cast<long>(mallinfo2().uordblks);
  s.widgets = QApplication::allWidgets().size();
  CountObjects(&s);
  s.threads = Entries("/proc/self/task");
  s.ownThreads = OwnThreads();
  s.files = Entries("/proc/self/fd");
  s.bitmaps = static_cast<long>(platform::LiveBitmapCount());
  return s;
}

// The time between two clicks, in which the event loop runs.
void Pause() {
  QElapsedTimer pause;
  pause.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (pause.elapsed() < gPauseMs);
}

// One click on the tool's button: the window loads modally and is closed as soon as it shows.
bool OpenAndClose(const Tool& tool) {
  bool shown = false;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    units::Unit* unit = runtime::LiveUnit(tool.window, 0);
    if (unit == nullptr || !unit->widget()->isVisible()) return;
    shown = true;
    unit->widget()->close();
  });
  closer.start(0);
  QWidget* button = runtime::LiveUnit(toolbox::main_window::kWindow, tool.button)->widget();
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  closer.stop();
  Pause();
  return shown && runtime::LiveUnit(tool.window, 0) == nullptr;
}

void Print(const char* when, const Snapshot& s) {
  std::printf(
      "  %-9s rss %8.1f KiB  heap %7.1f KiB  widgets %ld  objects %ld  timers %ld  threads %ld (own %ld)  files %ld  "
      "bitmaps %ld\n",
      when, s.residentBytes / 1024.0, s.heapBytes / 1024.0, s.widgets, s.objects, s.timers, s.threads, s.ownThreads,
      s.files, s.bitmaps);
}

// Compares what only the cycles make with what was there before them.
bool Check(const Tool& tool, const Snapshot& before, const Snapshot& warm, const Snapshot& middle,
           const Snapshot& after) {
  bool ok = true;
  auto expect = [&](bool holds, const char* what) {
    if (!holds) std::printf("  FAIL %s: %s\n", tool.name, what);
    ok = ok && holds;
  };
  expect(after.bitmaps == before.bitmaps, "bitmaps left over");
  // Qt makes some helpers on first use (the pointing device of the first click, the hidden
  // owner's native window), and the browser engine starts its threads and opens its files on
  // first use: these are counted from the tenth cycle on.
  expect(after.widgets == before.widgets, "widgets left over");
  expect(after.objects == warm.objects, "objects left over");
  expect(after.timers == warm.timers, "timers left running");
  // The browser engine's pool of worker threads grows and shrinks with its own work: only the
  // runtime's own threads are counted against the cycles.
  expect(after.ownThreads == before.ownThreads, "threads left running");
  // The engine also opens a file or channel of its own now and then, once: a file left open by
  // every window grows the count in both halves of the run.
  expect(after.files == warm.files || middle.files == warm.files || after.files == middle.files, "files left open");
  if (tool.web)
    expect(after.residentBytes - warm.residentBytes <= kAllowedWebGrowth, "memory grew by more than 2 MiB");
  else
    expect(after.residentBytes - warm.residentBytes <= kAllowedGrowth, "memory grew by more than 1 MiB");
  return ok;
}

bool Soak(const Tool& tool, int cycles) {
  std::printf("%s window, %d cycles\n", tool.name, cycles);
  const Snapshot before = Take();
  Snapshot warm = before, middle = before;
  for (int i = 1; i <= cycles; ++i) {
    if (!OpenAndClose(tool)) {
      std::printf("  FAIL %s: cycle %d did not open and close the window\n", tool.name, i);
      return false;
    }
    if (i == kWarmUpCycles) warm = Take();
    if (i == kWarmUpCycles + (cycles - kWarmUpCycles) / 2) middle = Take();
  }
  const Snapshot after = Take();
  Print("before", before);
  Print("after 10", warm);
  Print("halfway", middle);
  Print("after all", after);
  std::printf("  growth after the first ten: %+.1f KiB\n", (after.residentBytes - warm.residentBytes) / 1024.0);
  return Check(tool, before, warm, middle, after);
}

// A count above the warm-up, or -1.
int Count(const char* text, int least) {
  char* end = nullptr;
  long n = std::strtol(text, &end, 10);
  return *end == '\0' && n >= least && n < 1000000 ? static_cast<int>(n) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  int cycles = 1000;
  int webCycles = 0;  // 0: as many as --cycles
  const char* only = nullptr;
  bool usable = argc % 2 == 1;
  for (int i = 1; usable && i + 1 < argc; i += 2) {
    const char* value = argv[i + 1];
    if (std::strcmp(argv[i], "--cycles") == 0) usable = (cycles = Count(value, kWarmUpCycles + 1)) > 0;
    else if (std::strcmp(argv[i], "--web-cycles") == 0) usable = (webCycles = Count(value, kWarmUpCycles + 1)) > 0;
    else if (std::strcmp(argv[i], "--pause-ms") == 0) usable = (gPauseMs = Count(value, 0)) >= 0;
    else if (std::strcmp(argv[i], "--only") == 0) only = value;
    else usable = false;
  }
  if (!usable) {
    std::fprintf(stderr,
                 "usage: toolbox_soak [--cycles N] [--web-cycles N] [--pause-ms N] "
                 "[--only price|score|answer|schedule]   (N above %d)\n",
                 kWarmUpCycles);
    return 2;
  }
  if (webCycles == 0) webCycles = cycles;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData());
  runtime::Bridge().loadStartupWindow(toolbox::main_window::kWindow);
  bool ok = true;
  for (const Tool& tool : kTools) {
    if (only != nullptr && std::strcmp(only, tool.name) != 0) continue;
    ok = Soak(tool, tool.web ? webCycles : cycles) && ok;
  }
  runtime::StopHost();
  std::printf(ok ? "soak passed\n" : "soak FAILED\n");
  return ok ? 0 : 1;
}

// Building windows in the process, against Qt doing the same job in the same run:
// - the toolbox's main window: the host started on the program data, the window built from its
//   template and painted, the host stopped; against a plain Qt window with the same controls;
// - the score calculator, the largest window (40 units and the table picture), really rebuilt
//   on every iteration (the closed window's deferred deletion delivered) and painted; against
//   QUiLoader building a Designer form of the same 40 widgets and picture, painted.
// Repetitions are alternated, and the medians of the per-repetition ratios are printed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPushButton>
#include <QUiLoader>

#include <cstdio>
#include <string>
#include <vector>

#include "app/toolbox.h"
#include "bench/plain_main_window.h"
#include "bench/plain_mirror.h"
#include "bench/ratio_reporter.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "contract/unit.h"
#include "toolbox_forms.h"

namespace {

void StartHost() { runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData()); }

QWidget* WindowWidget(uint32_t window) {
  units::Unit* unit = runtime::LiveUnit(window, 0);
  return unit != nullptr ? unit->widget() : nullptr;
}

void DeliverDeletions() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ToolboxMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    StartHost();
    runtime::Bridge().loadStartupWindow(toolbox::main_window::kWindow);
    QWidget* main = WindowWidget(toolbox::main_window::kWindow);
    if (main == nullptr) state.SkipWithError("no main window");
    else benchmark::DoNotOptimize(main->grab());
    runtime::StopHost();
  }
}

// What a hand-written Qt program shows for the same main window (the one the whole-process
// benchmarks start too).
void PlainQtWindow(benchmark::State& state) {
  for (auto _ : state) {
    QWidget window;
    QPushButton* buttons[4];
    bench::FillPlainMainWindow(window, buttons);
    window.show();
    benchmark::DoNotOptimize(window.grab());
  }
}

// Builds, paints and closes the score calculator; false when it did not load or outlived its
// closing (it would then only be shown again, not rebuilt).
bool RebuildScoreCalculator() {
  if (runtime::LoadWindow({toolbox::score::kWindow, nullptr, 0}) != 0) return false;
  QWidget* window = WindowWidget(toolbox::score::kWindow);
  benchmark::DoNotOptimize(window->grab());
  window->close();
  DeliverDeletions();
  return WindowWidget(toolbox::score::kWindow) == nullptr;
}

void ScoreCalculatorWindow(benchmark::State& state) {
  StartHost();
  const bool warm = RebuildScoreCalculator();  // warm: the first opening decodes the table picture
  for (auto _ : state) {
    if (!warm || !RebuildScoreCalculator()) {
      state.SkipWithError("the score calculator was not rebuilt");
      break;
    }
  }
  runtime::StopHost();
}

// The score calculator as a Designer form, made once from the toolbox's own window.
QByteArray gScoreForm;

bool LoadScoreForm(QUiLoader& loader) {
  QBuffer buffer(&gScoreForm);
  buffer.open(QIODevice::ReadOnly);
  QWidget* window = loader.load(&buffer);
  if (window == nullptr) return false;
  window->show();
  benchmark::DoNotOptimize(window->grab());
  delete window;
  return true;
}

void ScoreCalculatorForm(benchmark::State& state) {
  QUiLoader loader;
  loader.clearPluginPaths();  // standard widgets only: no Designer plugins loaded
  const bool warm = LoadScoreForm(loader);
  for (auto _ : state) {
    if (!warm || !LoadScoreForm(loader)) {
      state.SkipWithError("QUiLoader refused the form");
      break;
    }
  }
}

QByteArray MakeScoreForm() {
  StartHost();
  QByteArray form;
  if (runtime::LoadWindow({toolbox::score::kWindow, nullptr, 0}) == 0)
    form = bench::DesignerForm(bench::Mirror(toolbox::score::kWindow), QStringLiteral(SCORE_TABLE_PICTURE));
  runtime::StopHost();
  DeliverDeletions();
  return form;
}

void PrintRatio(bench::RatioReporter& reporter, const char* what, const std::string& ours,
                const std::string& theirs, double budget) {
  std::printf("%s, toolbox / Qt (medians of %zu pairs; budget %.2f): %.2f wall clock, %.2f CPU\n", what,
              reporter.times[ours].size(), budget, bench::RatioReporter::MedianRatio(reporter.times[ours], reporter.times[theirs]),
              bench::RatioReporter::MedianRatio(reporter.cpuTimes[ours], reporter.cpuTimes[theirs]));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  gScoreForm = MakeScoreForm();
  const int repetitions = 9;
  for (int i = 0; i < repetitions; ++i) {
    benchmark::RegisterBenchmark("toolbox/main_window", ToolboxMainWindow)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("qt/main_window", PlainQtWindow)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("toolbox/score_calculator_rebuilt", ScoreCalculatorWindow)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("qt/score_calculator_quiloader", ScoreCalculatorForm)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  PrintRatio(reporter, "main window built and painted", "toolbox/main_window", "qt/main_window", 1.1);
  PrintRatio(reporter, "score calculator rebuilt and painted", "toolbox/score_calculator_rebuilt",
             "qt/score_calculator_quiloader", 1.0);
  benchmark::Shutdown();
  return 0;
}

// Start-up of the toolbox against a plain Qt window with the same controls: the host started on
// the program data, the main window built from its template and painted, the host stopped.
// Also building and painting the largest tool window, the score calculator. After the runs it
// prints how long the toolbox's start takes relative to the plain window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <map>
#include <string>

#include "app/toolbox.h"
#include "app/toolbox_ids.h"
#include "runtime/host/host.h"
#include "runtime/program/bridge.h"
#include "runtime/program/services.h"
#include "units/framework/unit.h"

namespace {

void StartHost() { runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData()); }

QWidget* WindowWidget(toolbox::WindowIds ids) {
  units::Unit* unit = runtime::LiveUnit(ids.window, 0);
  return unit != nullptr ? unit->widget() : nullptr;
}

void ToolboxMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    StartHost();
    runtime::Bridge().loadStartupWindow(toolbox::kMainWindow.window);
    QWidget* main = WindowWidget(toolbox::kMainWindow);
    if (main == nullptr) state.SkipWithError("no main window");
    else benchmark::DoNotOptimize(main->grab());
    runtime::StopHost();
  }
}

// What a hand-written Qt program shows for the same main window.
void PlainQtWindow(benchmark::State& state) {
  for (auto _ : state) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quarlex工具箱 v1.0"));
    window.resize(399, 322);
    const char* captions[] = {"仙玉物价计算器", "副本积分计算器", "开服表（需联网）", "科举答题器（需联网）"};
    for (int i = 0; i < 4; ++i) {
      auto* button = new QPushButton(QString::fromUtf8(captions[i]), &window);
      button->setGeometry(32 + (i % 2) * 184, 24 + (i / 2) * 72, 152, 48);
    }
    auto* group = new QGroupBox(QStringLiteral("作者说明"), &window);
    group->setGeometry(32, 160, 336, 100);
    auto* about = new QLabel(QStringLiteral("工具数据、图片、题库、开服信息均来自官方论坛。"), group);
    about->setGeometry(16, 24, 304, 64);
    auto* link = new QLabel(QStringLiteral("官方论坛：bbs.quarlex.example"), &window);
    link->setGeometry(98, 280, 190, 24);
    window.show();
    benchmark::DoNotOptimize(window.grab());
  }
}

void ScoreCalculatorWindow(benchmark::State& state) {
  StartHost();
  for (auto _ : state) {
    if (runtime::LoadWindow({toolbox::kScoreWindow.window, nullptr, 0}) != 0) {
      state.SkipWithError("the score calculator did not load");
      break;
    }
    QWidget* window = WindowWidget(toolbox::kScoreWindow);
    benchmark::DoNotOptimize(window->grab());
    window->close();
  }
  runtime::StopHost();
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean")
        times[run.run_name.str()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::RegisterBenchmark("toolbox/main_window", ToolboxMainWindow)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("qt/main_window", PlainQtWindow)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("toolbox/score_calculator_window", ScoreCalculatorWindow)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ours = reporter.times.find("toolbox/main_window"), plain = reporter.times.find("qt/main_window");
  if (ours != reporter.times.end() && plain != reporter.times.end())
    std::printf("\nmain window up and painted, toolbox time / plain Qt time: %.2f\n", ours->second / plain->second);
  benchmark::Shutdown();
  return 0;
}

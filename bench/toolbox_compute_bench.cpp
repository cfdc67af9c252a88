// One click of the score calculator's "计算" with all 18 rows filled, the window shown and the
// repaint the click causes let happen: the handler's 54 property round trips and 36 conversions
// through the runtime, against the same work done by plain Qt widgets (the same window made of
// QLineEdit, QLabel and QPushButton, its click handler reading the 18 prices and writing the 18
// results). Repetitions alternate; the medians of the per-repetition ratios are printed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/toolbox.h"
#include "bench/plain_mirror.h"
#include "bench/ratio_reporter.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "app/toolbox_ids.h"
#include "contract/unit.h"
#include "toolbox_forms.h"

namespace {

namespace score = toolbox::score;

struct Row {
  uint32_t input, result;
  double points;
};
// The calculator's rows: its edit boxes, result labels and the points each item costs.
constexpr Row kRows[] = {
    {score::kPrice1, score::kRatio1, 20000},
    {score::kPrice2, score::kRatio2, 12},
    {score::kPrice3, score::kRatio3, 80},
    {score::kPrice4, score::kRatio4, 30},
    {score::kPrice5, score::kRatio5, 10},
    {score::kPrice6, score::kRatio6, 60},
    {score::kPrice7, score::kRatio7, 150},
    {score::kPrice8, score::kRatio8, 40},
    {score::kPrice9, score::kRatio9, 375},
    {score::kPrice10, score::kRatio10, 5000},
    {score::kPrice11, score::kRatio11, 150},
    {score::kPrice12, score::kRatio12, 6000},
    {score::kPrice13, score::kRatio13, 90},
    {score::kPrice14, score::kRatio14, 10000},
    {score::kPrice15, score::kRatio15, 6000},
    {score::kPrice16, score::kRatio16, 480},
    {score::kPrice17, score::kRatio17, 60},
    {score::kPrice18, score::kRatio18, 300},
};
constexpr uint32_t kCompute = toolbox::score::kCalculate;

// Click, then let the repaint the click asked for happen.
void ClickAndPaint(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  QCoreApplication::processEvents();
}

// Clicks once untimed, then once an iteration, other prices entered (untimed) before every click
// so that every result changes and is painted again.
template <typename EnterPrices>
void Clicks(benchmark::State& state, QWidget* window, QWidget* button, EnterPrices enterPrices) {
  if (!QTest::qWaitForWindowExposed(window)) state.SkipWithError("the window was not shown");
  enterPrices(0);
  ClickAndPaint(button);
  int click = 0;
  for (auto _ : state) {
    state.PauseTiming();
    enterPrices(++click);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    ClickAndPaint(button);
  }
}

void ScoreClick(benchmark::State& state) {
  runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData());
  const uint32_t window = toolbox::score::kWindow;
  if (runtime::LoadWindow({window, nullptr, 0}) != 0) {
    state.SkipWithError("the score calculator did not load");
    runtime::StopHost();
    return;
  }
  auto enterPrices = [window](int click) {
    char price[] = "123456";
    price[0] = static_cast<char>('1' + click % 2);
    for (const Row& row : kRows) {
      runtime::DataBytes value{};
      value.text = price;
      runtime::Bridge().setUnitProperty(window, row.input, toolbox::kTextProperty, -1, value);
    }
  };
  Clicks(state, runtime::LiveUnit(window, 0)->widget(), runtime::LiveUnit(window, kCompute)->widget(), enterPrices);
  runtime::StopHost();
}

bench::MirroredWindow gScoreWindow;

void PlainScoreClick(benchmark::State& state) {
  std::unique_ptr<QWidget> window(bench::PlainWindow(gScoreWindow, QStringLiteral(SCORE_TABLE_PICTURE)));
  auto child = [&window](uint32_t id) { return window->findChild<QWidget*>(QString::number(id, 16)); };
  std::vector<std::pair<QLineEdit*, QLabel*>> rows;
  for (const Row& row : kRows) {
    rows.emplace_back(qobject_cast<QLineEdit*>(child(row.input)), qobject_cast<QLabel*>(child(row.result)));
    if (rows.back().first == nullptr || rows.back().second == nullptr) {
      state.SkipWithError("the plain window lacks a row");
      return;
    }
  }
  auto enterPrices = [&rows](int click) {
    for (auto& row : rows) row.first->setText(QStringLiteral("%1").arg(click % 2 + 1) + QStringLiteral("23456"));
  };
  auto* button = qobject_cast<QPushButton*>(child(kCompute));
  QObject::connect(button, &QPushButton::clicked, [&rows] {
    for (size_t i = 0; i < rows.size(); ++i) {
      const QString text = rows[i].first->text();
      if (text.trimmed().isEmpty()) continue;
      rows[i].second->setText(QString::number(text.toInt() / kRows[i].points, 'g', 15));
    }
  });
  window->show();
  Clicks(state, window.get(), button, enterPrices);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData());
  if (runtime::LoadWindow({toolbox::score::kWindow, nullptr, 0}) == 0)
    gScoreWindow = bench::Mirror(toolbox::score::kWindow);
  runtime::StopHost();
  for (int i = 0; i < 9; ++i) {
    benchmark::RegisterBenchmark("toolbox/score_click_18_rows_painted", ScoreClick)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("qt/score_click_18_rows_painted", PlainScoreClick)->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::string ours = "toolbox/score_click_18_rows_painted", theirs = "qt/score_click_18_rows_painted";
  std::printf("\none click, 18 rows, painted: toolbox %.0f us (median; budget 1000), toolbox / Qt %.2f wall clock, "
              "%.2f CPU (medians of %zu pairs; budget 1.20)\n",
              bench::RatioReporter::Median(reporter.times[ours]), bench::RatioReporter::MedianRatio(reporter.times[ours], reporter.times[theirs]),
              bench::RatioReporter::MedianRatio(reporter.cpuTimes[ours], reporter.cpuTimes[theirs]), reporter.times[ours].size());
  benchmark::Shutdown();
  return 0;
}

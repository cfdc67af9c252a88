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
#include "app/toolbox_ids.h"
#include "bench/plain_mirror.h"
#include "bench/ratio_reporter.h"
#include "host/host.h"
#include "base/program/bridge.h"
#include "base/program/services.h"
#include "contract/unit.h"

namespace {

struct Row {
  uint32_t input, result;
  double points;
};
// The calculator's rows: its edit boxes, result labels and the points each item costs.
constexpr Row kRows[] = {
    {0x16010034, 0x16010035, 20000}, {0x1601003b, 0x1601004b, 12},  {0x1601003c, 0x1601004c, 80},
    {0x1601003d, 0x1601004d, 30},    {0x1601003e, 0x1601004e, 10},  {0x1601003f, 0x1601004f, 60},
    {0x16010040, 0x16010050, 150},   {0x16010041, 0x16010051, 40},  {0x16010042, 0x16010052, 375},
    {0x16010043, 0x16010053, 5000},  {0x16010044, 0x16010054, 150}, {0x16010045, 0x16010055, 6000},
    {0x16010046, 0x16010056, 90},    {0x16010047, 0x16010057, 10000}, {0x16010048, 0x16010058, 6000},
    {0x16010049, 0x1601005a, 480},   {0x1601004a, 0x1601005b, 60},  {0x16010059, 0x1601005c, 300},
};
constexpr uint32_t kCompute = 0x16010036;

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
  const uint32_t window = toolbox::kScoreWindow.window;
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
  if (runtime::LoadWindow({toolbox::kScoreWindow.window, nullptr, 0}) == 0)
    gScoreWindow = bench::Mirror(toolbox::kScoreWindow.window);
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

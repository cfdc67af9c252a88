// One click of the score calculator's "计算" with all 18 rows filled: the handler's 54 property
// round trips and 36 conversions (budget: 2 ms a click), and, separately, the click followed by
// a repaint of the whole window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include "app/toolbox.h"
#include "app/toolbox_ids.h"
#include "runtime/host/host.h"
#include "runtime/program/bridge.h"
#include "runtime/program/services.h"
#include "units/framework/unit.h"

namespace {

constexpr uint32_t kInputs[] = {0x16010034, 0x1601003b, 0x1601003c, 0x1601003d, 0x1601003e, 0x1601003f,
                                0x16010040, 0x16010041, 0x16010042, 0x16010043, 0x16010044, 0x16010045,
                                0x16010046, 0x16010047, 0x16010048, 0x16010049, 0x1601004a, 0x16010059};
constexpr uint32_t kCompute = 0x16010036;

void ScoreClick(benchmark::State& state, bool repaint) {
  runtime::Bridge().service(runtime::service::kStartHost, &toolbox::ProgramData());
  const uint32_t window = toolbox::kScoreWindow.window;
  if (runtime::LoadWindow({window, nullptr, 0}) != 0) {
    state.SkipWithError("the score calculator did not load");
    runtime::StopHost();
    return;
  }
  char price[] = "123456";
  for (uint32_t input : kInputs) {
    runtime::DataBytes value{};
    value.text = price;
    runtime::Bridge().setUnitProperty(window, input, toolbox::kTextProperty, -1, value);
  }
  QWidget* button = runtime::LiveUnit(window, kCompute)->widget();
  QWidget* calculator = runtime::LiveUnit(window, 0)->widget();
  for (auto _ : state) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    if (repaint) benchmark::DoNotOptimize(calculator->grab());
  }
  runtime::StopHost();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::RegisterBenchmark("toolbox/score_click_18_rows", ScoreClick, false)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("toolbox/score_click_18_rows_and_window_painted", ScoreClick, true)
      ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

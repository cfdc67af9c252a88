#pragma once
// Google Benchmark's console output, and the times of every repetition kept, so that pairs of
// benchmarks run in turn can be compared by the median of their per-repetition ratios. Wall
// clock and CPU time both: on a busy machine the process waits for a processor, and only the CPU
// time still says what the work costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      times[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
      cpuTimes[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
    }
    ConsoleReporter::ReportRuns(runs);
  }
  static double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  }
  static double MedianRatio(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> ratios;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) ratios.push_back(a[i] / b[i]);
    return Median(ratios);
  }
  std::map<std::string, std::vector<double>> times, cpuTimes;
};

}  // namespace bench

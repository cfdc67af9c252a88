#pragma once
// What the whole-process benchmarks share: the check for an X server to run on, the preload
// library that ends each run at the window's first paint, and the median of the runs.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace bench {

// Whether there is an X display; says how to get one when there is not.
inline bool HaveDisplay(const char* program) {
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != 0) return true;
  std::fprintf(stderr, "no X display: run under Xvfb, e.g. xvfb-run -a -s \"-screen 0 1280x1024x24\" %s\n", program);
  return false;
}

// `path` made absolute, for the children's LD_PRELOAD; false, said, when there is no such file.
inline bool MakeAbsolute(std::string& path) {
  char absolute[PATH_MAX];
  if (realpath(path.c_str(), absolute) == nullptr) {
    std::fprintf(stderr, "cannot find %s\n", path.c_str());
    return false;
  }
  path = absolute;
  return true;
}

// The median of the runs' figures; of an even count, the mean of the middle two.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace bench

// The whole process, as a user sees it: from exec to the first window painted on the X server.
// Starts the toolbox and a plain Qt program showing a window of the same size and contents
// (plain_qt_window) in turn, pair after pair, each with the same LD_PRELOAD library
// (first_paint_exit) that ends the process once its first window is painted and one round trip
// to the display has made sure the server drew it. Prints the median times, the median of the
// per-pair ratios, and the resident memory of each with its window shown.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/process_start_bench [--pairs N] [--verbose]
//
// Needs an X display ($DISPLAY); the programs are looked for beside this one, the library in
// the build's lib folder (--toolbox, --plain, --preload override them).
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/process_runs.h"

using bench::Median;

namespace {

pid_t gChild = 0;

void KillChild(int) {
  if (gChild > 0) kill(gChild, SIGKILL);
}

struct Run {
  double milliseconds = 0;
  double cpuMilliseconds = 0;  // user and system time of the process
  long rssKib = -1;
  int libraries = -1;
  bool ok = false;
  int status = 0;  // as waitpid tells it
};

std::string Directory(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string SelfDirectory() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  buffer[n] = 0;
  return Directory(buffer);
}

Run Start(const std::string& program, const std::string& preload, const std::string& report) {
  std::remove(report.c_str());
  Run run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) return run;
  if (child == 0) {
    setenv("LD_PRELOAD", preload.c_str(), 1);
    setenv("QUARLEX_FIRST_PAINT_REPORT", report.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (FILE* null = std::fopen("/dev/null", "w")) {
      dup2(fileno(null), 1);
      dup2(fileno(null), 2);
    }
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  gChild = child;
  alarm(30);
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  const auto end = std::chrono::steady_clock::now();
  alarm(0);
  gChild = 0;
  run.status = status;
  run.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
  auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  run.cpuMilliseconds = ms(usage.ru_utime) + ms(usage.ru_stime);
  std::ifstream in(report);
  std::string line;
  if (std::getline(in, line) && std::sscanf(line.c_str(), "rss_kib=%ld libraries=%d", &run.rssKib, &run.libraries) == 2)
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string self = SelfDirectory();
  std::string toolbox = self + "/quarlex-toolbox", plain = self + "/plain_qt_window";
  std::string preload = self + "/../lib/first_paint_exit.so";
  int pairs = 21;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--pairs" && hasValue) pairs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--toolbox" && hasValue) toolbox = argv[++i];
    else if (arg == "--plain" && hasValue) plain = argv[++i];
    else if (arg == "--preload" && hasValue) preload = argv[++i];
    else if (arg == "--verbose") verbose = true;
    else {
      std::fprintf(stderr, "usage: %s [--pairs N] [--toolbox PATH] [--plain PATH] [--preload PATH] [--verbose]\n",
                   argv[0]);
      return 2;
    }
  }
  if (!bench::HaveDisplay(argv[0]) || !bench::MakeAbsolute(preload)) return 2;
  signal(SIGALRM, KillChild);
  const std::string report = "/tmp/quarlex-first-paint-" + std::to_string(getpid());

  // One run of each first, not counted: files in the page cache, fonts cached.
  for (const std::string& program : {toolbox, plain}) {
    if (!Start(program, preload, report).ok) {
      std::fprintf(stderr, "%s did not come up and paint (is the display an X server?)\n", program.c_str());
      return 1;
    }
  }
  std::vector<double> ours, theirs, ratios, ourRss, theirRss, ourCpu, theirCpu, cpuRatios;
  int ourLibraries = 0, theirLibraries = 0, failures = 0;
  if (verbose)
    std::printf("%4s %12s %12s %8s %14s %14s\n", "pair", "toolbox ms", "plain Qt ms", "ratio", "toolbox cpu ms",
                "plain cpu ms");
  for (int pair = 0; pair < pairs; ++pair) {
    // Alternating which goes first, so neither always follows the other.
    Run a, b;
    if (pair % 2 == 0) {
      a = Start(toolbox, preload, report);
      b = Start(plain, preload, report);
    } else {
      b = Start(plain, preload, report);
      a = Start(toolbox, preload, report);
    }
    // A run that did not end by its first paint (killed, crashed, or the display lost) says
    // nothing about starting: the pair is run again, at most a few times.
    if (!a.ok || !b.ok) {
      std::fprintf(stderr, "pair %d: %s did not end by its first paint (status %d); running the pair again\n",
                   pair + 1, !a.ok ? "the toolbox" : "the plain Qt program", !a.ok ? a.status : b.status);
      if (++failures > 5) return 1;
      --pair;
      continue;
    }
    ours.push_back(a.milliseconds);
    theirs.push_back(b.milliseconds);
    ratios.push_back(a.milliseconds / b.milliseconds);
    ourCpu.push_back(a.cpuMilliseconds);
    theirCpu.push_back(b.cpuMilliseconds);
    cpuRatios.push_back(a.cpuMilliseconds / b.cpuMilliseconds);
    ourRss.push_back(a.rssKib / 1024.0);
    theirRss.push_back(b.rssKib / 1024.0);
    ourLibraries = a.libraries;
    theirLibraries = b.libraries;
    if (verbose)
      std::printf("%4d %12.1f %12.1f %8.2f %14.1f %14.1f\n", pair + 1, a.milliseconds, b.milliseconds, ratios.back(),
                  a.cpuMilliseconds, b.cpuMilliseconds);
  }
  std::remove(report.c_str());
  std::vector<double> rssRatios;
  for (size_t i = 0; i < ourRss.size(); ++i) rssRatios.push_back(ourRss[i] / theirRss[i]);
  std::printf("exec to first window painted, %d pairs (medians)\n", pairs);
  std::printf("  toolbox   %8.1f ms   %8.1f ms CPU   %6.1f MiB resident   %3d shared objects\n", Median(ours),
              Median(ourCpu), Median(ourRss), ourLibraries);
  std::printf("  plain Qt  %8.1f ms   %8.1f ms CPU   %6.1f MiB resident   %3d shared objects\n", Median(theirs),
              Median(theirCpu), Median(theirRss), theirLibraries);
  std::printf("  ratio     %8.2f x wall clock, %.2f x CPU (medians of the pairs' ratios; budget 1.10)\n",
              Median(ratios), Median(cpuRatios));
  std::printf("  memory    %8.2f x (budget 1.20)\n", Median(rssRatios));
  return 0;
}

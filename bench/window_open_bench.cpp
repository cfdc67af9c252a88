// The first opening of a window, as a user meets it: a fresh process, its main window painted,
// one click on a tool button, and the time until the window that opens is painted on the X
// server. Each case starts the toolbox and a plain Qt program doing the same in turn, pair after
// pair, with the same LD_PRELOAD library (first_paint_exit) clicking the same place and ending
// the process, and prints the medians and the median of the per-pair ratios:
// - price, score: the price and score calculators, against a plain Qt program building the same
//   window from a Designer form with Qt's form loader (plain_form_window);
// - price-again, score-again: the same window opened, closed and opened again in one process,
//   timed from the second click (the window is really rebuilt: both programs destroy it on
//   closing);
// - price-floor, score-floor: no toolbox, but the least any program can do: the plain program
//   opening an empty window of the form's size again (plain_form_window --empty), against the
//   same program building the form, as in price-again and score-again; it has no budget and
//   shows what no way of building the window can go below;
// - web: the answer page window, its page served here from 127.0.0.1 and counted as painted when
//   its colour reaches the window's centre, against a plain program linking Qt WebEngine whose
//   button opens a window of the same size with a QWebEngineView (plain_web_window); also the
//   anonymous proportional set size of each whole process tree with the page shown;
// - idle: no click, the resident memory 5 s after start against the plain Qt window
//   (plain_qt_window), for what the toolbox does in the background once it is idle.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/window_open_bench [--pairs N] [--case C]...
//       [--click-after MS]
//
// The click comes 500 ms after the main window's first paint (--click-after), no sooner than a
// user's first click could, so that what a program does while it waits for its user counts as
// it does for a user; 0 clicks at once. In the -again cases the second click comes that
// long after the opened window has gone: less than the double-click interval (400 ms) after the
// first click, the toolbox's button takes it for the second press of a double click, which it ignores,
// and the run ends at its time limit.
//
// Needs an X display; programs are looked for beside this one, the forms in the build's
// bench_forms folder, the library in the build's lib folder.
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/process_runs.h"

using bench::Median;

namespace {

pid_t gChild = 0;

void KillChild(int) {
  if (gChild > 0) kill(-gChild, SIGKILL);
}

struct Program {
  std::string path;
  std::vector<std::string> args;
};

struct Case {
  std::string name, what;
  Program ours, theirs;
  std::map<std::string, std::string> environment;
  double budget;  // 0: a reference, not held to one
  const char* label = "toolbox";
};

struct Run {
  bool ok = false;
  int status = 0;
  double clickMs = 0, clickCpuMs = 0;
  long rssKib = 0, treeRssKib = 0, treePssAnonKib = 0;
  int width = 0, height = 0;
};

std::string SelfDirectory() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  buffer[n] = 0;
  std::string path = buffer;
  return path.substr(0, path.rfind('/'));
}

// Ends whatever the run left behind (a web engine's helper processes, which this process adopts
// as the subreaper when their parent ends) and waits for it.
void EndLeftovers() {
  if (DIR* proc = opendir("/proc")) {
    while (dirent* entry = readdir(proc)) {
      const pid_t pid = std::atoi(entry->d_name);
      if (pid <= 0) continue;
      std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
      std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
      const size_t close = text.rfind(')');
      if (close != std::string::npos && std::atoi(text.c_str() + close + 4) == getpid()) kill(pid, SIGKILL);
    }
    closedir(proc);
  }
  while (waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {
  }
}

Run Start(const Program& program, const Case& c, const std::string& preload, const std::string& report) {
  std::remove(report.c_str());
  Run run;
  const pid_t child = fork();
  if (child < 0) return run;
  if (child == 0) {
    setpgid(0, 0);
    setenv("LD_PRELOAD", preload.c_str(), 1);
    setenv("QUARLEX_FIRST_PAINT_REPORT", report.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    for (const auto& [name, value] : c.environment) setenv(name.c_str(), value.c_str(), 1);
    if (FILE* null = std::fopen("/dev/null", "w")) {
      dup2(fileno(null), 1);
      dup2(fileno(null), 2);
    }
    std::vector<char*> argv{const_cast<char*>(program.path.c_str())};
    for (const std::string& arg : program.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.path.c_str(), argv.data());
    _exit(127);
  }
  setpgid(child, child);
  gChild = child;
  alarm(60);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  alarm(0);
  gChild = 0;
  kill(-child, SIGKILL);
  EndLeftovers();
  run.status = status;
  std::ifstream in(report);
  std::string line;
  if (!std::getline(in, line)) return run;
  std::sscanf(line.c_str(), "rss_kib=%ld libraries=%*d tree_rss_kib=%ld tree_pss_anon_kib=%ld window=%dx%d",
              &run.rssKib, &run.treeRssKib, &run.treePssAnonKib, &run.width, &run.height);
  const size_t click = line.find("click_ms=");
  const bool clicked = click != std::string::npos &&
                       std::sscanf(line.c_str() + click, "click_ms=%lf click_cpu_ms=%lf", &run.clickMs,
                                   &run.clickCpuMs) == 2;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && (clicked || c.environment.count("QUARLEX_CLICK_AT") == 0);
  return run;
}

// The answer page: one colour over the whole window, which tells the preload library the page
// itself, not only its window, has been painted.
constexpr const char* kPageColour = "3a7d5c";
constexpr const char* kPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>科举答题器</title></head>"
    "<body style=\"margin:0;background:#3a7d5c;color:#ffffff;font:16px sans-serif\">"
    "<div style=\"height:1600px;padding:320px 60px\"><h1>科举答题器</h1><p>输入题目中的关键字，"
    "点击查询即可得到答案。</p><input style=\"width:300px\"> <button>查询</button></div></body></html>";

// Serves the page for every address but the icon, on 127.0.0.1, where the engines are sent as
// to their proxy server (the page keeps its own address); answers the port.
int ServePage() {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener, 16) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    return -1;
  std::thread([listener] {
    for (;;) {
      const int client = accept(listener, nullptr, nullptr);
      if (client < 0) continue;
      std::string request;
      char buffer[4096];
      ssize_t n;
      while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 &&
             (n = read(client, buffer, sizeof buffer)) > 0)
        request.append(buffer, static_cast<size_t>(n));
      const bool icon = request.find(" /favicon.ico ") != std::string::npos;
      const std::string body = icon ? "" : kPage;
      const std::string answer = std::string(icon ? "HTTP/1.1 404 Not Found" : "HTTP/1.1 200 OK") +
                                 "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                                 "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
      if (write(client, answer.data(), answer.size()) < 0) {
      }
      close(client);
    }
  }).detach();
  return ntohs(address.sin_port);
}

bool RunCase(const Case& c, int pairs, const std::string& preload, const std::string& report, bool verbose) {
  Run warm[2] = {Start(c.ours, c, preload, report), Start(c.theirs, c, preload, report)};
  for (int i = 0; i < 2; ++i)
    if (!warm[i].ok) {
      std::fprintf(stderr, "%s: %s did not come up, open its window and paint it (status %d)\n", c.name.c_str(),
                   (i == 0 ? c.ours : c.theirs).path.c_str(), warm[i].status);
      return false;
    }
  const bool idle = c.environment.count("QUARLEX_CLICK_AT") == 0;
  if (!idle && (warm[0].width != warm[1].width || warm[0].height != warm[1].height))
    std::fprintf(stderr, "%s: the windows differ in size: %dx%d against %dx%d\n", c.name.c_str(), warm[0].width,
                 warm[0].height, warm[1].width, warm[1].height);
  std::vector<double> ours, theirs, ratios, ourCpu, theirCpu, cpuRatios, ourMemory, theirMemory, memoryRatios;
  int failures = 0;
  for (int pair = 0; pair < pairs; ++pair) {
    Run a, b;
    if (pair % 2 == 0) {
      a = Start(c.ours, c, preload, report);
      b = Start(c.theirs, c, preload, report);
    } else {
      b = Start(c.theirs, c, preload, report);
      a = Start(c.ours, c, preload, report);
    }
    if (!a.ok || !b.ok) {
      std::fprintf(stderr, "%s, pair %d: %s did not end as expected (status %d); running the pair again\n",
                   c.name.c_str(), pair + 1, !a.ok ? c.label : "plain Qt", !a.ok ? a.status : b.status);
      if (++failures > 5) return false;
      --pair;
      continue;
    }
    // Idle: the process's own resident memory; web: the whole tree's anonymous memory.
    const bool web = c.name == "web";
    ourMemory.push_back((idle ? a.rssKib : web ? a.treePssAnonKib : a.rssKib) / 1024.0);
    theirMemory.push_back((idle ? b.rssKib : web ? b.treePssAnonKib : b.rssKib) / 1024.0);
    memoryRatios.push_back(ourMemory.back() / theirMemory.back());
    if (!idle) {
      ours.push_back(a.clickMs);
      theirs.push_back(b.clickMs);
      ratios.push_back(a.clickMs / b.clickMs);
      ourCpu.push_back(a.clickCpuMs);
      theirCpu.push_back(b.clickCpuMs);
      cpuRatios.push_back(a.clickCpuMs / std::max(0.001, b.clickCpuMs));
    }
    if (verbose)
      std::printf("  %-11s %3d  %-7s %8.1f ms %8.1f MiB   plain %8.1f ms %8.1f MiB\n", c.name.c_str(), pair + 1, c.label,
                  a.clickMs, ourMemory.back(), b.clickMs, theirMemory.back());
  }
  std::printf("%s, %d pairs (medians)\n", c.what.c_str(), pairs);
  if (idle) {
    std::printf("  toolbox   %8.1f MiB resident\n  plain Qt  %8.1f MiB resident\n", Median(ourMemory),
                Median(theirMemory));
    std::printf("  ratio     %8.2f x (budget %.2f)\n", Median(memoryRatios), c.budget);
    return true;
  }
  const char* memory = c.name == "web" ? "anonymous PSS, process tree" : "resident";
  std::printf("  %-9s %8.1f ms   %8.1f ms CPU   %8.1f MiB %s\n", c.label, Median(ours), Median(ourCpu), Median(ourMemory),
              memory);
  std::printf("  plain Qt  %8.1f ms   %8.1f ms CPU   %8.1f MiB %s\n", Median(theirs), Median(theirCpu),
              Median(theirMemory), memory);
  char budget[32] = " (no budget)";
  if (c.budget > 0) std::snprintf(budget, sizeof budget, " (budget %.2f)", c.budget);
  std::printf("  ratio     %8.2f x wall clock, %.2f x CPU%s, %.2f x memory%s\n", Median(ratios), Median(cpuRatios), budget,
              Median(memoryRatios), c.name == "web" ? " (budget 1.05)" : "");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string self = SelfDirectory();
  const std::string toolbox = self + "/quarlex-toolbox", forms = self + "/../bench_forms";
  std::string preload = self + "/../lib/first_paint_exit.so";
  int pairs = 15;
  std::string clickAfter = "500";
  bool verbose = false;
  std::vector<std::string> chosen;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--pairs" && i + 1 < argc) pairs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--case" && i + 1 < argc) chosen.push_back(argv[++i]);
    else if (arg == "--click-after" && i + 1 < argc) clickAfter = argv[++i];
    else if (arg == "--verbose") verbose = true;
    else {
      std::fprintf(stderr,
                   "usage: %s [--pairs N] [--case C]... [--click-after MS] [--verbose]\n"
                   "  C: price, score, price-again, score-again, price-floor, score-floor, web, idle\n",
                   argv[0]);
      return 2;
    }
  }
  if (!bench::HaveDisplay(argv[0]) || !bench::MakeAbsolute(preload)) return 2;
  const int port = ServePage();
  if (port <= 0) {
    std::fprintf(stderr, "cannot serve the page on 127.0.0.1\n");
    return 1;
  }
  const std::string page = "http://bbs.quarlex.example/zt/dtq/keju.html";
  const Program formProgram{self + "/plain_form_window", {forms + "/price_calculator.ui", forms + "/score_calculator.ui"}};
  Program emptyProgram = formProgram;
  emptyProgram.args.insert(emptyProgram.args.begin(), "--empty");
  // The button centres: price and score calculators, answer page.
  std::vector<Case> cases = {
      {"price", "price calculator, click to window painted", {toolbox, {}}, formProgram,
       {{"QUARLEX_CLICK_AT", "108,48"}}, 0.8},
      {"score", "score calculator, click to window painted", {toolbox, {}}, formProgram,
       {{"QUARLEX_CLICK_AT", "292,48"}}, 0.8},
      {"price-again", "price calculator opened again, click to window painted", {toolbox, {}}, formProgram,
       {{"QUARLEX_CLICK_AT", "108,48"}, {"QUARLEX_REOPEN", "1"}}, 0.7},
      {"score-again", "score calculator opened again, click to window painted", {toolbox, {}}, formProgram,
       {{"QUARLEX_CLICK_AT", "292,48"}, {"QUARLEX_REOPEN", "1"}}, 0.7},
      {"price-floor", "empty window of the price calculator's size opened again, click to window painted",
       emptyProgram, formProgram, {{"QUARLEX_CLICK_AT", "108,48"}, {"QUARLEX_REOPEN", "1"}}, 0, "empty"},
      {"score-floor", "empty window of the score calculator's size opened again, click to window painted",
       emptyProgram, formProgram, {{"QUARLEX_CLICK_AT", "292,48"}, {"QUARLEX_REOPEN", "1"}}, 0, "empty"},
      {"web", "answer page window, click to page painted", {toolbox, {}}, {self + "/plain_web_window", {page}},
       {{"QUARLEX_CLICK_AT", "291,120"},
        {"QUARLEX_PAINTED_COLOUR", kPageColour},
        {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
        {"QTWEBENGINE_CHROMIUM_FLAGS", "--proxy-server=http://127.0.0.1:" + std::to_string(port)}},
       1.1},
      {"idle", "idle 5 s after start, no window opened", {toolbox, {}}, {self + "/plain_qt_window", {}},
       {{"QUARLEX_REPORT_AFTER_MS", "5000"}}, 1.2},
  };
  for (Case& c : cases)
    if (c.environment.count("QUARLEX_CLICK_AT") != 0) c.environment["QUARLEX_CLICK_AFTER_MS"] = clickAfter;
  signal(SIGALRM, KillChild);
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  const std::string report = "/tmp/quarlex-window-open-" + std::to_string(getpid());
  bool ok = true;
  for (const Case& c : cases)
    if (chosen.empty() || std::find(chosen.begin(), chosen.end(), c.name) != chosen.end())
      ok = RunCase(c, pairs, preload, report, verbose) && ok;
  std::remove(report.c_str());
  return ok ? 0 : 1;
}

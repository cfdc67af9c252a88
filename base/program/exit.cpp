#include "base/program/exit.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/program/main_thread.h"

namespace runtime {
namespace {

std::vector<ExitCallback>& Callbacks() {
  static std::vector<ExitCallback> callbacks;
  return callbacks;
}

ShutdownRoutine gShutdownRoutine = nullptr;

}  // namespace

void RegisterExitCallback(ExitCallback callback) {
  auto& callbacks = Callbacks();
  if (callback != nullptr && std::find(callbacks.begin(), callbacks.end(), callback) == callbacks.end())
    callbacks.push_back(callback);
}

void ClearExitCallbacks() { Callbacks().clear(); }

void SetShutdownRoutine(ShutdownRoutine routine) { gShutdownRoutine = routine; }

void RunExitCallbacks() {
  // A callback may register another; take the list as it stands and run each once.
  std::vector<ExitCallback> callbacks;
  callbacks.swap(Callbacks());
  for (size_t i = 0; i < callbacks.size(); ++i) callbacks[i](static_cast<int32_t>(i));
}

void ShutDown(int32_t code) {
  // Only the main thread ends the program; another thread's request ends it there.
  if (!OnMainThread()) HandToMainThread([code] { ExitProgram(code); });
  BeginEnding();
  if (gShutdownRoutine == nullptr) {
    RunExitCallbacks();
    return;
  }
  gShutdownRoutine(code);
}

void ExitProgram(int32_t code) {
  ShutDown(code);
  std::exit(code);
}

}  // namespace runtime

#pragma once
// Exit callbacks and the end of the program.
#include <cstdint>

namespace runtime {

// An exit callback receives its position in the list of callbacks.
using ExitCallback = void (*)(int32_t position);

// Adds a callback unless it is registered already.
void RegisterExitCallback(ExitCallback callback);
void ClearExitCallbacks();

// Host shutdown: the exit callbacks in registration order, then the shutdown routine of the host
// (library notify code 6 and the rest of the teardown).
void ShutDown();
using ShutdownRoutine = void (*)();
void SetShutdownRoutine(ShutdownRoutine routine);

// Shuts the host down and ends the process with `code`.
[[noreturn]] void ExitProgram(int32_t code);

}  // namespace runtime

#pragma once
// Exit callbacks and the end of the program.
#include <cstdint>

namespace runtime {

// An exit callback receives its position in the list of callbacks.
using ExitCallback = void (*)(int32_t position);

// Adds a callback unless it is registered already.
void RegisterExitCallback(ExitCallback callback);
void ClearExitCallbacks();

// Calls every exit callback with its position, in registration order, then empties the list.
void RunExitCallbacks();

// Shuts down: the host's shutdown routine when a host is running (it runs the exit callbacks in
// its own order), else just the exit callbacks. On a thread other than the main thread it hands
// the exit to the main thread instead and does not return.
void ShutDown(int32_t code);
using ShutdownRoutine = void (*)(int32_t code);
void SetShutdownRoutine(ShutdownRoutine routine);

// Shuts the host down and ends the process with `code`.
[[noreturn]] void ExitProgram(int32_t code);

}  // namespace runtime

#pragma once
// Commands of outside dynamic libraries that the program declares by library file and export name.
#include <cstdint>

namespace runtime {

// Takes the declared names; handles and addresses start empty and are resolved on first use.
void SetExternalCommands(uint32_t count, const char* const* libraryNames, const char* const* commandNames);

// Resolves command `index` (cached after the first call), or reports the runtime error naming it.
void* ResolveExternalCommand(int32_t index);

// Calls command `index` with `count` word-sized arguments and answers its word-sized result.
intptr_t CallExternalCommand(int32_t index, int32_t count, const intptr_t* args);

}  // namespace runtime

#pragma once
// The runtime services that the bridge's last entry reaches by number, with their arguments.
#include <cstdint>

namespace runtime::service {

constexpr int32_t kFindFile = 0;             // (const char* pattern, int32_t attributeMask) -> const char* name
constexpr int32_t kCloseFileSearch = 1;      // ()
constexpr int32_t kMakeArrayWritable = 2;    // (void** array, int32_t elementSize)
constexpr int32_t kRegisterExitCallback = 3; // (ExitCallback)
constexpr int32_t kGetObjectProperty = 4;    // (uint32_t typeCode, void* unit, int32_t property, uint32_t wantedType)
constexpr int32_t kSetObjectProperty = 5;    // (uint32_t typeCode, void* unit, int32_t property, uint32_t valueType, const void* value)
constexpr int32_t kStartHost = 6;            // (const ProgramHeader*)

}  // namespace runtime::service

namespace runtime {

// Service 2: an array block in the constant data area is replaced by a heap copy, so the caller
// may write to it. The copy never reads past the end of the area.
void MakeArrayWritable(void** array, int32_t elementSize);

}  // namespace runtime

#pragma once
// The bridge table: the only way the program's own routines reach the runtime. The order of
// the entries is the interface.
#include <cstdint>

#include "base/program/program_header.h"
#include "base/values/value.h"

namespace runtime {

// The 8 data bytes of a property value handed to or taken from the program.
union DataBytes {
  uint8_t bytes[8];
  int32_t i32;
  int64_t i64;
  double f64;
  char* text;
  void* ptr;
};
static_assert(sizeof(DataBytes) == 8);

struct BridgeTable {
  void (*raiseRuntimeError)(int32_t number);  // does not return
  intptr_t (*callExternalCommand)(int32_t command, int32_t count, const intptr_t* args);
  ValueRecord (*callLibraryCommand)(LibraryCommand command, int32_t library, int32_t count, ValueRecord* args);
  ValueRecord (*callCoreCommand)(LibraryCommand command, int32_t count, ValueRecord* args);
  DataBytes (*getUnitProperty)(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fourth);
  void (*setUnitProperty)(uint32_t windowId, uint32_t unitId, int32_t property, int32_t fourth, DataBytes value);
  void* (*allocate)(int32_t bytes);
  void* (*resize)(void* block, int32_t bytes);
  void (*free)(void* block);
  void (*exit)(int32_t code);  // does not return
  void (*run)();
  void (*loadStartupWindow)(uint32_t windowId);
  // Service number, then the service's own arguments (see base/program/services.h).
  intptr_t (*service)(int32_t number, ...);
};

const BridgeTable& Bridge();

}  // namespace runtime

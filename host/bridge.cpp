#include "base/program/bridge.h"

#include <cstdarg>
#include <cstring>
#include <string>

#include "platform/gbk.h"
#include "host/host.h"
#include "base/program/exit.h"
#include "base/program/external_commands.h"
#include "base/program/file_search.h"
#include "base/program/memory.h"
#include "base/program/program.h"
#include "base/program/runtime_error.h"
#include "base/program/services.h"

namespace runtime {
namespace {

void RaiseByNumber(int32_t number) { RaiseRuntimeErrorByNumber(number); }

ValueRecord CallLibraryCommand(LibraryCommand command, int32_t /*library: carried, not used*/, int32_t count,
                               ValueRecord* args) {
  ValueRecord result = MakeValue(type::kNone);
  if (command != nullptr) command(&result, count, args);
  return result;
}

ValueRecord CallCoreCommand(LibraryCommand command, int32_t count, ValueRecord* args) {
  return CallLibraryCommand(command, 0, count, args);
}

// A negative byte count is a request that cannot be served, not a huge one.
void* AllocateEntry(int32_t bytes) {
  if (bytes < 0) ReportAllocationFailure(bytes);
  return Allocate(static_cast<size_t>(bytes));
}
void* ResizeEntry(void* block, int32_t bytes) {
  if (bytes < 0) ReportAllocationFailure(bytes);
  return Resize(block, static_cast<size_t>(bytes));
}
void FreeEntry(void* block) { Free(block); }
void ExitEntry(int32_t code) { ExitProgram(code); }

intptr_t Service(int32_t number, ...) {
  va_list args;
  va_start(args, number);
  intptr_t result = 0;
  switch (number) {
    case service::kFindFile: {
      const char* pattern = va_arg(args, const char*);
      int32_t mask = va_arg(args, int32_t);
      result = reinterpret_cast<intptr_t>(FindNextFile(pattern, mask));
      break;
    }
    case service::kCloseFileSearch:
      CloseFileSearch();
      break;
    case service::kMakeArrayWritable: {
      void** array = va_arg(args, void**);
      int32_t elementSize = va_arg(args, int32_t);
      MakeArrayWritable(array, elementSize);
      break;
    }
    case service::kRegisterExitCallback:
      RegisterExitCallback(va_arg(args, ExitCallback));
      break;
    case service::kGetObjectProperty: {
      auto typeCode = va_arg(args, uint32_t);
      void* unit = va_arg(args, void*);
      int32_t property = va_arg(args, int32_t);
      auto wanted = va_arg(args, uint32_t);
      result = GetObjectProperty(typeCode, unit, property, wanted);
      break;
    }
    case service::kSetObjectProperty: {
      auto typeCode = va_arg(args, uint32_t);
      void* unit = va_arg(args, void*);
      int32_t property = va_arg(args, int32_t);
      auto valueType = va_arg(args, uint32_t);
      const void* value = va_arg(args, const void*);
      SetObjectProperty(typeCode, unit, property, valueType, value);
      break;
    }
    case service::kStartHost: {
      const auto* header = va_arg(args, const ProgramHeader*);
      if (header != nullptr) AdoptProgramHeader(*header);
      StartHost();
      break;
    }
    default:
      break;
  }
  va_end(args);
  return result;
}

constexpr BridgeTable kBridge = {
    RaiseByNumber, CallExternalCommand, CallLibraryCommand, CallCoreCommand, GetUnitProperty, SetUnitProperty,
    AllocateEntry, ResizeEntry,         FreeEntry,          ExitEntry,       Run,             LoadStartupWindow,
    Service,
};

}  // namespace

const BridgeTable& Bridge() { return kBridge; }

void MakeArrayWritable(void** array, int32_t elementSize) {
  if (array == nullptr || !InConstantArea(*array)) return;
  const auto* block = static_cast<const uint8_t*>(*array);
  size_t available = ConstantBytesFrom(block);
  // Size of {count, dimensions, elements}, computed without trusting the stored numbers to fit:
  // whatever would run past the end of the area is not part of the array.
  size_t size = available;
  if (available >= 4 && elementSize >= 0) {
    int32_t count;
    std::memcpy(&count, block, 4);
    if (count >= 0 && static_cast<size_t>(count) <= (available - 4) / 4) {
      size_t elements = 1;
      bool fits = true;
      for (int32_t i = 0; i < count && fits; ++i) {
        int32_t dimension;
        std::memcpy(&dimension, block + 4 + 4 * static_cast<size_t>(i), 4);
        fits = dimension >= 0 && (dimension == 0 || elements <= available / static_cast<size_t>(dimension));
        elements *= fits ? static_cast<size_t>(dimension) : 1;
      }
      size_t header = 4 + 4 * static_cast<size_t>(count);
      if (fits && (elementSize == 0 || elements <= (available - header) / static_cast<size_t>(elementSize)))
        size = header + elements * static_cast<size_t>(elementSize);
    }
  }
  void* copy = Allocate(size);
  std::memcpy(copy, block, size);
  *array = copy;
}

}  // namespace runtime

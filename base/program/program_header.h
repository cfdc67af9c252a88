#pragma once
// The fixed records of the program data: the program header, the library records and the unit
// type records they point to. The field order is the interface; fields that carry a reference
// are pointer-sized on our 64-bit build.
#include <cstdint>

#include "base/values/value.h"

namespace runtime {

// What support libraries call: (code, argument 1, argument 2).
using HostNotify = intptr_t (*)(int32_t code, intptr_t arg1, intptr_t arg2);
// A library's own notify function; code 1 hands it the host's notify function.
using LibraryNotify = intptr_t (*)(int32_t code, intptr_t arg1, intptr_t arg2);

namespace library_notify {
constexpr int32_t kSetHostNotify = 1;
constexpr int32_t kShutdown = 6;
}  // namespace library_notify

// One property of a unit type; the runtime knows properties only by number and type.
struct PropertyEntry {
  const char* chineseName;
  const char* englishName;
  const char* description;
  int16_t type;
  uint16_t state;
  const void* pickList;
};

// Answers a unit type's operation number k with the operation, or null.
using GetInterface = void* (*)(int32_t number);

struct UnitTypeRecord {
  const char* chineseName;
  const char* englishName;
  const char* description;
  uint32_t memberCommandCount;
  const int32_t* memberCommands;
  uint32_t flags;
  uint32_t iconId;
  uint32_t eventCount;
  const void* events;
  uint32_t propertyCount;
  const PropertyEntry* properties;
  GetInterface getInterface;
  uint32_t elementCount;
  const void* elements;
};

struct LibraryRecord {
  uint32_t formatMark;  // 0x01312d65
  const char* identifier;  // 32 hexadecimal digits
  uint32_t versionMajor;
  uint32_t versionMinor;
  uint32_t buildNumber;
  uint32_t furtherMajor1;
  uint32_t furtherMinor1;
  uint32_t furtherMajor2;
  uint32_t furtherMinor2;
  const char* name;
  uint32_t descriptiveValue;
  uint32_t reserved44;
  uint32_t flags;
  uint32_t reserved52[8];
  uint32_t unitTypeCount;
  const UnitTypeRecord* unitTypes;
  uint32_t reserved92;
  uint32_t reserved96;
  uint32_t commandCount;
  uint32_t reserved104;
  const LibraryCommand* commands;
  uint32_t reserved112;
  uint32_t reserved116;
  LibraryNotify notify;
  uint32_t reserved124[5];
};

constexpr uint32_t kLibraryFormatMark = 0x01312d65;

// An event handler of the program: takes the event's arguments as machine words, first argument
// first, and answers whether it produced a result (then stored in `result`).
using EventHandler = bool (*)(const intptr_t* args, int32_t count, int64_t* result);

// The program's handlers, keyed by the offsets that the window template data stores for them.
struct HandlerTable {
  uint32_t count;
  const int32_t* offsets;
  const EventHandler* handlers;
};

struct ProgramHeader {
  uint32_t buildMode;
  uint32_t reserved;
  uint32_t serialBase;
  // Where the template's handler offsets lead. Handlers do not sit at fixed distances from a
  // code base here, so this field names the table that maps each offset to its handler.
  const HandlerTable* handlers;
  const uint8_t* constantData;
  uint32_t constantLength;
  const uint8_t* templateData;
  uint32_t templateLength;
  uint32_t libraryCount;
  const LibraryRecord* const* libraries;
  uint32_t externalCommandCount;
  const char* const* externalLibraryNames;
  const char* const* externalCommandNames;
  // What assistive technology reads for the windows and units (base/template/accessible_names.h);
  // null and 0 for none.
  const uint8_t* accessibleNames = nullptr;
  uint32_t accessibleNamesLength = 0;
};

}  // namespace runtime

#pragma once
// Where each unit type plugs in its get-interface function, and how the host finds a unit type
// record by id.
//
// A unit type's record is a constant its library places in its array, but its operations live in
// the type's own folder. A record's get-interface field therefore points at a forwarder here,
// which hands the request to the function the type registered. Until a type registers, its
// forwarder answers null for every number, so a window holding a unit of that type fails to build.
#include <cstdint>
#include <vector>

#include "base/program/program_header.h"
#include "contract/property_table_view.h"

namespace units {

// The most unit types that can register.
constexpr size_t kMostRegisteredTypes = 64;

// Plugs in the get-interface function of unit type `typeId`; `table`, when given, is the type's
// property table as the form tools see it. Answers false and keeps nothing for an id without a
// library or type number, a null function, an id registered already (the first registration
// stands: two types claiming one id is a mistake, not a replacement), or a full registry.
// Call it at start-up before the first window loads: a registration made by a static object in a
// static library is dropped by the linker unless something else pulls that object file in.
bool RegisterUnitType(uint32_t typeId, runtime::GetInterface getInterface, const PropertyTableView* table = nullptr);

// The function registered for the type, or null.
runtime::GetInterface RegisteredGetInterface(uint32_t typeId);
// The property table registered for the type, or null.
const PropertyTableView* RegisteredPropertyTable(uint32_t typeId);
// The ids of every registered type, lowest first.
std::vector<uint32_t> RegisteredUnitTypes();

template <uint32_t TypeId>
void* ForwardGetInterface(int32_t number) {
  runtime::GetInterface getInterface = RegisteredGetInterface(TypeId);
  return getInterface != nullptr ? getInterface(number) : nullptr;
}

// The record of a unit type id in the program's library table: the library number must lie within
// `libraryCount` and the type number within that library's array. A missing library, a missing
// array and an all-zero record all answer null.
const runtime::UnitTypeRecord* FindUnitType(const runtime::LibraryRecord* const* libraries, uint32_t libraryCount,
                                            uint32_t typeId);

}  // namespace units

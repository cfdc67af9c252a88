#pragma once
// The operations a unit type answers through its get-interface function, by number, with the
// exact signatures host and unit types agree on.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/program/program_header.h"

class QEvent;
class QObject;
class QWidget;

namespace units {

class Unit;

namespace interface_number {
constexpr int32_t kCreateUnit = 1;
constexpr int32_t kPropertyApplicable = 2;
constexpr int32_t kPropertyChanged = 4;
constexpr int32_t kGetAllPropertyData = 5;
constexpr int32_t kGetProperty = 6;
constexpr int32_t kGetIconData = 7;
constexpr int32_t kWantsKey = 8;
constexpr int32_t kEnumTexts = 9;
constexpr int32_t kIsDefaultButton = 10;
constexpr int32_t kPreTranslate = 11;
}  // namespace interface_number

// Style bits that may come with CreateUnit; the host shows units itself afterwards, so the
// visible bit never comes.
namespace window_style {
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kDisabled = 0x08000000;
}  // namespace window_style

// A property value as host and unit exchange it. `first` holds an integer, a colour, a logical
// 0 or 1, a text pointer (never null when given to a unit), a data pointer, or the whole of an
// 8-byte number; `second` holds the byte length that goes with a data pointer. Pointed-to data
// belongs to the giver and lives only for the call.
struct PropertyValue {
  intptr_t first = 0;
  intptr_t second = 0;

  static PropertyValue Integer(int32_t v) { return {v, 0}; }
  static PropertyValue Text(const char* text) { return {reinterpret_cast<intptr_t>(text), 0}; }
  static PropertyValue Data(const void* data, size_t length) {
    return {reinterpret_cast<intptr_t>(data), static_cast<intptr_t>(length)};
  }

  int32_t AsInteger() const { return static_cast<int32_t>(first); }
  const char* AsText() const { return reinterpret_cast<const char*>(first); }
  // Null data or a length below 1 is no data.
  std::span<const uint8_t> AsData() const {
    if (first == 0 || second < 1) return {};
    return {reinterpret_cast<const uint8_t*>(first), static_cast<size_t>(second)};
  }
};

// Called by EnumTexts once per text; answers the text to store in its place, or null to keep it.
using EnumTextsCallback = const char* (*)(const char* text, intptr_t user);

// 1: builds a unit from its property data (null or a length below 1: all defaults) at the given
// place; answers null when the data cannot be read or the widget cannot be made. The last two
// arguments are always 0.
using CreateUnitFn = Unit* (*)(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t controlId,
                               void* menu, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                               uint32_t unitId, intptr_t reserved1, intptr_t reserved2);
// 2: non-zero when the own property means something in the unit's current configuration.
using PropertyApplicableFn = int32_t (*)(Unit* unit, int32_t ownIndex);
// 4: applies a written own property; 1 when the unit must be re-created for it to show. An
// unknown index is ignored and answers 0.
using PropertyChangedFn = int32_t (*)(Unit* unit, int32_t ownIndex, const PropertyValue* value, intptr_t reserved);
// 5: a block from runtime::Allocate holding the unit's property data, sized exactly, with its
// length in *length; null and 0 on failure.
using GetAllPropertyDataFn = void* (*)(Unit* unit, int32_t* length);
// 6: fills *value; 1, or 0 for an index the type does not have. Data handed out stays owned by
// the unit until the next call.
using GetPropertyFn = int32_t (*)(Unit* unit, int32_t ownIndex, PropertyValue* value);
// 7: a runtime::Allocate block holding the icon stored in the given property data, its length in
// *length; null when there is none.
using GetIconDataFn = void* (*)(const uint8_t* data, int32_t length, int32_t* iconLength);
// 8: 1 when the unit consumes the key (key code with modifier bits) itself.
using WantsKeyFn = int32_t (*)(Unit* unit, uint32_t key);
// 9: calls back once per text held in the property data; answers new property data in a
// runtime::Allocate block, its length in *length (the data's length on the way in).
using EnumTextsFn = void* (*)(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user);
// 10: non-zero when the unit acts on Enter.
using IsDefaultButtonFn = int32_t (*)(Unit* unit);
// 11: non-zero when the unit consumed the event on its way to `target`.
using PreTranslateFn = int32_t (*)(Unit* unit, QObject* target, QEvent* event);

template <int32_t Number>
struct InterfaceOf;
template <>
struct InterfaceOf<interface_number::kCreateUnit> {
  using Fn = CreateUnitFn;
};
template <>
struct InterfaceOf<interface_number::kPropertyApplicable> {
  using Fn = PropertyApplicableFn;
};
template <>
struct InterfaceOf<interface_number::kPropertyChanged> {
  using Fn = PropertyChangedFn;
};
template <>
struct InterfaceOf<interface_number::kGetAllPropertyData> {
  using Fn = GetAllPropertyDataFn;
};
template <>
struct InterfaceOf<interface_number::kGetProperty> {
  using Fn = GetPropertyFn;
};
template <>
struct InterfaceOf<interface_number::kGetIconData> {
  using Fn = GetIconDataFn;
};
template <>
struct InterfaceOf<interface_number::kWantsKey> {
  using Fn = WantsKeyFn;
};
template <>
struct InterfaceOf<interface_number::kEnumTexts> {
  using Fn = EnumTextsFn;
};
template <>
struct InterfaceOf<interface_number::kIsDefaultButton> {
  using Fn = IsDefaultButtonFn;
};
template <>
struct InterfaceOf<interface_number::kPreTranslate> {
  using Fn = PreTranslateFn;
};

// The host's side: the typed operation `Number` of a unit type, or null.
template <int32_t Number>
typename InterfaceOf<Number>::Fn AskInterface(const runtime::UnitTypeRecord& type) {
  if (type.getInterface == nullptr) return nullptr;
  return reinterpret_cast<typename InterfaceOf<Number>::Fn>(type.getInterface(Number));
}

// The operations a unit type provides; null for those it does not. A type's get-interface function
// answers from its table, so that every operation goes out under its own number and signature.
struct InterfaceTable {
  CreateUnitFn createUnit = nullptr;
  PropertyApplicableFn propertyApplicable = nullptr;
  PropertyChangedFn propertyChanged = nullptr;
  GetAllPropertyDataFn getAllPropertyData = nullptr;
  GetPropertyFn getProperty = nullptr;
  GetIconDataFn getIconData = nullptr;
  WantsKeyFn wantsKey = nullptr;
  EnumTextsFn enumTexts = nullptr;
  IsDefaultButtonFn isDefaultButton = nullptr;
  PreTranslateFn preTranslate = nullptr;
};

void* AnswerInterface(const InterfaceTable& table, int32_t number);

// The unit type's side: what its get-interface function answers for number `Number`. Taking the
// number keeps an implementation from being handed out under the wrong signature.
template <int32_t Number>
void* InterfaceAddress(typename InterfaceOf<Number>::Fn fn) {
  return reinterpret_cast<void*>(fn);
}

}  // namespace units

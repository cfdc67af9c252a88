#pragma once
// A unit type's property table seen from outside the type, by index and by name: what the form
// compiler and inspector need to write and read property data without knowing the type's classes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "contract/property_data.h"
#include "contract/unit_interfaces.h"

namespace units {

// Where a property's value lives, which decides the shape of its value.
enum class PropertyKind : uint8_t {
  kWord,       // a 32-bit integer: integers, choices, logicals
  kColor,      // a 32-bit colour word
  kCharacter,  // one character: a single byte, or a GBK double-byte character with its lead byte high
  kText,       // GBK text
  kBytes,      // a font record, picture, icon or sound
  kLive,       // held by the unit's widget, never stored
};

struct PropertyInfo {
  const char* name;
  int16_t type;  // property type code
  PropertyKind kind;
  bool stored;
  uint32_t since;  // the data version that introduced it
  int32_t low;     // the range of a word
  int32_t high;
  std::span<const char* const> choices;  // a choice's values by name, value 0 first
};

class PropertyTableView {
 public:
  virtual ~PropertyTableView() = default;
  // Own properties, numbered from 0 after the common ones.
  virtual size_t Count() const = 0;
  virtual PropertyInfo Info(size_t index) const = 0;
  // The version property data is written in.
  virtual uint32_t Version() const = 0;
  // A property object with every own property at its default.
  virtual std::unique_ptr<PropertyObject> NewProperties() const = 0;
  // The stored value of a property of an object from NewProperties; false for a live property.
  virtual bool Get(PropertyObject& properties, size_t index, PropertyValue& value) const = 0;
  // Writes it, a word brought into range; false for a live property.
  virtual bool Set(PropertyObject& properties, size_t index, const PropertyValue& value) const = 0;
  // Where the stored bytes of a property were read from; empty for other properties, and for
  // bytes set since or read from nothing.
  virtual std::span<const uint8_t> Source(PropertyObject& properties, size_t index) const = 0;

  // The index of the property of that name, or -1.
  int32_t Find(std::string_view name) const {
    for (size_t i = 0; i < Count(); ++i)
      if (name == Info(i).name) return static_cast<int32_t>(i);
    return -1;
  }
};

}  // namespace units

#pragma once
// A unit's property data as its properties by name, and back. The value of each property takes
// the form its kind gives it: integers as numbers, choices as numbers or as the names of their
// values (both are read, for good: "Alignment": 1 and "Alignment": "Centred" say the same),
// logicals as true/false, colours as "0x00BBGGRR", texts as strings, a character as a
// one-character string, fonts as an object of the font record's fields, pictures, icons and
// sounds as whatever stands for their bytes.
#include <QJsonValue>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/formtool/source_values.h"
#include "contract/property_table_view.h"

namespace formtool {

// Property data at the table's version with every stored property: those named in `properties`
// ({NAME: VALUE, ...}) take their value, the others their default. Pictures, icons and sounds are
// {"file": PATH} read through `files`, or null. Throws SourceError naming the place of an
// unknown or run-time property, a value of the wrong kind and one out of range.
std::vector<uint8_t> CompileProperties(const units::PropertyTableView& table, const std::string& typeName,
                                       const QJsonValue& properties, const Path& path, const FileSource& files);

struct NamedValue {
  const char* name;
  QJsonValue value;
};

// Answers the value that stands for the bytes of a picture, icon or sound (or of a font record
// of another length than a font's).
using BytesValue = std::function<QJsonValue(const units::PropertyInfo& info, std::span<const uint8_t> bytes)>;

// How a choice's value is shown: its number, or the name of the value where it has one.
enum class Choices { kNumbers, kNames };

// The stored properties of property data in table order, or nothing when the table cannot read
// the data. A stored value no form can write (a logical other than 0 or 1, a character that is
// not one) comes out as its number.
std::optional<std::vector<NamedValue>> ReadProperties(const units::PropertyTableView& table,
                                                      std::span<const uint8_t> data, const BytesValue& bytesValue,
                                                      Choices choices = Choices::kNumbers);

// How a listing shows such bytes: {"bytes": N}.
QJsonValue ByteCount(const units::PropertyInfo& info, std::span<const uint8_t> bytes);

// One value as compact JSON text, UTF-8.
std::string CompactJson(const QJsonValue& value);

}  // namespace formtool

#pragma once
// A unit type's own properties, each declared once, in one row of its property table: its name,
// its property type code, where it lives in the unit's state, where it sits in the stored data and
// from which data version, its default, its range, how a written value is shown and when it means
// something. Defaults, the stored data, range checks, the host's property entries, reading and
// writing by index and by name, applicability and the texts offered for translation all come from
// the rows, so that adding a stored property is adding a row.
//
// A type declares, in its properties header, its state as a plain struct S, its rows beside it
// as a constexpr array of PropertyRow<S, U> (U: the unit class, for the hooks), and its table as
//   inline constexpr PropertyTable kTable{rows, highestVersion};
// Its property object is then TabledProperties<kTable>: S plus the PropertyObject interface.
#include <array>
#include <memory>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "base/program/program_header.h"
#include "contract/enum_texts.h"
#include "contract/property_data.h"
#include "contract/property_table_view.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"

namespace units {

// The state word of a property's host entry. The host never reads it; it tells form tools how to
// offer the property. Each bit, by what the properties that carry it have in common:
namespace property_state {
// The property means something only in some configurations of the others (a colour while the
// system's colours are off, the address of one kind of link, a picture's transparent colour).
constexpr uint16_t kDependent = 0x0001;
// The last of a group of related properties in the tools' list.
constexpr uint16_t kGroupEnd = 0x0002;
// Read at run time, never written.
constexpr uint16_t kReadOnly = 0x0004;
// Held by the document a unit shows rather than by the unit.
constexpr uint16_t kDocument = 0x0008;
// A read fetches nothing: the caller's value stays as it was.
constexpr uint16_t kNotFetched = 0x0010;
// The eight properties every unit has.
constexpr uint16_t kCommon = 0x6000;
// Every property of a type built for the native window system (type_flag::kNative), and the
// common ones of every type.
constexpr uint16_t kNative = 0x8000;
}  // namespace property_state
static_assert(kCommonPropertyState == (property_state::kNative | property_state::kCommon));

template <typename S, typename U>
struct PropertyRow {
  const char* name = nullptr;  // the property's English name, as form authors write it
  int16_t type = 0;            // property type code
  uint16_t state = 0;          // the host entry's state word: property_state bits
  // Where the property lives in S: at most one of these. A row with none is answered by `get` and
  // `set` alone (a property the unit reads from or writes to its widget).
  int32_t S::*word = nullptr;                      // integers, choices, logicals
  uint32_t S::*color = nullptr;                    // colours, stored unsigned
  uint16_t S::*char16 = nullptr;                   // one stored character
  std::string S::*text = nullptr;                  // GBK text
  std::vector<uint8_t> S::*bytes = nullptr;        // font records, pictures, icons, sounds
  std::span<const uint8_t> S::*source = nullptr;   // where stored `bytes` were read from
  int32_t stored = -1;   // position in the stored data; -1 when never stored
  uint32_t since = 0;    // the data version that introduced it
  int64_t initial = 0;                      // default of a word, colour or character
  const char* initialText = "";             // default of a text
  uint32_t (*initialColor)() = nullptr;     // a default that follows the system's colours
  int32_t low = INT32_MIN;                  // a written word is brought into [low, high]
  int32_t high = INT32_MAX;
  bool clampStored = false;                 // the stored word is brought into range when read
  bool logical = false;                     // written, answered and (with clampStored) read as 0 or 1
  bool whenChanged = false;                 // writing the stored word again neither applies nor re-creates
  bool recreate = false;                    // a written value shows only in a re-created unit
  // A choice's values by name, as forms may write them: the name of value 0 first. Values past
  // the last name have none and are written as numbers.
  std::span<const char* const> choices = {};
  // Shows a value just written to the state; answers 1 when the unit must be re-created for it.
  int32_t (*apply)(U& unit) = nullptr;
  // Whether the property means something in the current configuration; null: always.
  bool (*applicable)(const S& state) = nullptr;
  // Live access, taking the place of the stored field's: reads into the value (false: none), and
  // writes, answering 1 when the unit must be re-created.
  bool (*get)(U& unit, PropertyValue& value) = nullptr;
  int32_t (*set)(U& unit, const PropertyValue& value) = nullptr;

  constexpr int FieldCount() const {
    return (word != nullptr) + (color != nullptr) + (char16 != nullptr) + (text != nullptr) + (bytes != nullptr);
  }
  constexpr PropertyKind Kind() const {
    if (word != nullptr) return PropertyKind::kWord;
    if (color != nullptr) return PropertyKind::kColor;
    if (char16 != nullptr) return PropertyKind::kCharacter;
    if (text != nullptr) return PropertyKind::kText;
    if (bytes != nullptr) return PropertyKind::kBytes;
    return PropertyKind::kLive;
  }
};

template <typename S, typename U, size_t N>
class PropertyTable {
 public:
  using State = S;
  using UnitClass = U;
  using Row = PropertyRow<S, U>;
  static constexpr size_t kCount = N;

  consteval PropertyTable(const Row (&rows)[N], uint32_t highestVersion) : version_(highestVersion) {
    size_t storedCount = 0;
    for (size_t i = 0; i < N; ++i) {
      rows_[i] = rows[i];
      const Row& r = rows[i];
      // A broken row stops the build: these throw in a constant expression.
      if (r.name == nullptr || r.type == 0) throw "every property has a name and a type";
      if (r.FieldCount() > 1) throw "a property lives in one field at most";
      if (r.stored >= 0 && r.Kind() == PropertyKind::kLive) throw "a stored property needs a field";
      if (r.since > highestVersion) throw "a property from a later version than the table's";
      if (r.source != nullptr && r.bytes == nullptr) throw "a source belongs to bytes";
      if (r.low > r.high) throw "an empty range";
      if ((r.logical || r.whenChanged) && r.word == nullptr) throw "only a word is logical or compared";
      CheckChoices(r);
      for (size_t j = 0; j < i; ++j)
        if (std::string_view(rows[j].name) == r.name) throw "two properties of one name";
      if (r.stored >= 0) ++storedCount;
    }
    storedCount_ = storedCount;
    for (size_t position = 0; position < storedCount; ++position) {
      size_t found = N;
      for (size_t i = 0; i < N; ++i)
        if (rows[i].stored == static_cast<int32_t>(position)) {
          if (found != N) throw "two properties stored at one position";
          found = i;
        }
      if (found == N) throw "stored positions must run from 0 without a gap";
      order_[position] = found;
    }
    for (size_t i = 0; i < kCommonPropertyCount; ++i) entries_[i] = CommonEntry(i);
    // The host knows properties by number and type only; names stay with the form tools.
    for (size_t i = 0; i < N; ++i)
      entries_[kCommonPropertyCount + i] = {nullptr, nullptr, nullptr, rows[i].type, rows[i].state, nullptr};
  }

  constexpr const Row& operator[](size_t index) const { return rows_[index]; }
  // The own index of the property of that name, for code that names one; a name the table does
  // not have stops the build.
  consteval int32_t IndexOf(std::string_view name) const {
    for (size_t i = 0; i < N; ++i)
      if (name == rows_[i].name) return static_cast<int32_t>(i);
    throw "no property of that name";
  }
  // The host's property entries: the common ones, then the own ones in row order.
  constexpr const std::array<runtime::PropertyEntry, kCommonPropertyCount + N>& HostEntries() const {
    return entries_;
  }

  void Reset(S& s) const {
    for (const Row& r : rows_) {
      if (r.word != nullptr) s.*r.word = static_cast<int32_t>(r.initial);
      if (r.color != nullptr) s.*r.color = r.initialColor != nullptr ? r.initialColor() : static_cast<uint32_t>(r.initial);
      if (r.char16 != nullptr) s.*r.char16 = static_cast<uint16_t>(r.initial);
      if (r.text != nullptr) s.*r.text = r.initialText;
      if (r.bytes != nullptr) (s.*r.bytes).clear();
      if (r.source != nullptr) s.*r.source = {};
    }
  }

  void Serialise(S& s, PropertyArchive& a) const {
    a.Version(version_);
    for (size_t position = 0; position < storedCount_; ++position) {
      const Row& r = rows_[order_[position]];
      if (!a.Since(r.since)) continue;
      if (r.word != nullptr) {
        a.Int32(s.*r.word);
        if (a.Reading() && r.clampStored) s.*r.word = Normalised(r, s.*r.word);
      } else if (r.color != nullptr) {
        a.UInt32(s.*r.color);
      } else if (r.char16 != nullptr) {
        a.Char16(s.*r.char16);
      } else if (r.text != nullptr) {
        a.Text(s.*r.text);
      } else if (r.source != nullptr) {
        a.Bytes(s.*r.bytes, s.*r.source);
      } else {
        a.Bytes(s.*r.bytes);
      }
    }
  }

  // The stored value of own property `index`; false for a live property or an index the type
  // does not have. Data handed out stays owned by the state.
  bool GetStored(S& s, size_t index, PropertyValue& value) const {
    if (index >= N) return false;
    const Row& r = rows_[index];
    switch (r.Kind()) {
      case PropertyKind::kWord:
        value = PropertyValue::Integer(r.logical ? s.*r.word != 0 : s.*r.word);
        return true;
      case PropertyKind::kColor: value = PropertyValue::Integer(static_cast<int32_t>(s.*r.color)); return true;
      case PropertyKind::kCharacter: value = PropertyValue::Integer(s.*r.char16); return true;
      case PropertyKind::kText: value = PropertyValue::Text((s.*r.text).c_str()); return true;
      case PropertyKind::kBytes: {
        const std::vector<uint8_t>& bytes = s.*r.bytes;
        value = bytes.empty() ? PropertyValue{} : PropertyValue::Data(bytes.data(), bytes.size());
        return true;
      }
      case PropertyKind::kLive: return false;
    }
    return false;
  }

  // Writes own property `index` into the state, its word brought into range (a logical's to 0 or 1);
  // false for a live property or an index the type does not have.
  bool SetStored(S& s, size_t index, const PropertyValue& value) const {
    if (index >= N) return false;
    const Row& r = rows_[index];
    switch (r.Kind()) {
      case PropertyKind::kWord: s.*r.word = Normalised(r, value.AsInteger()); return true;
      case PropertyKind::kColor: s.*r.color = static_cast<uint32_t>(value.AsInteger()); return true;
      case PropertyKind::kCharacter: s.*r.char16 = static_cast<uint16_t>(value.AsInteger()); return true;
      case PropertyKind::kText: s.*r.text = value.AsText() != nullptr ? value.AsText() : ""; return true;
      case PropertyKind::kBytes: {
        const std::span<const uint8_t> bytes = value.AsData();
        (s.*r.bytes).assign(bytes.begin(), bytes.end());
        if (r.source != nullptr) s.*r.source = {};
        return true;
      }
      case PropertyKind::kLive: return false;
    }
    return false;
  }

  bool Applicable(const S& s, size_t index) const {
    return index < N && (rows_[index].applicable == nullptr || rows_[index].applicable(s));
  }

  // Offers the stored texts, and the face names of stored font records, in row order.
  void OfferTexts(S& s, TextOffer& offer) const {
    for (const Row& r : rows_) {
      if (r.stored < 0) continue;
      if (r.text != nullptr) offer.Text(s.*r.text);
      else if (r.bytes != nullptr && r.type == property_type::kFont) offer.FontFace(s.*r.bytes);
    }
  }

  uint32_t Version() const { return version_; }

 private:
  // A form names a choice's value instead of writing its number: every name must say one value.
  static consteval void CheckChoices(const Row& r) {
    if (r.choices.empty()) return;
    if (r.word == nullptr || r.logical) throw "only a choice has named values";
    if (r.low > 0 || static_cast<int64_t>(r.choices.size()) - 1 > r.high) throw "a named value out of the range";
    for (size_t i = 0; i < r.choices.size(); ++i) {
      const char* name = r.choices[i];
      if (name == nullptr || *name == '\0') throw "a named value without a name";
      for (const char* c = name; *c != '\0'; ++c)
        if (!((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9' && c != name)))
          throw "a value's name is a word of ASCII letters and digits";
      for (size_t j = 0; j < i; ++j)
        if (std::string_view(r.choices[j]) == name) throw "two values of one name";
    }
  }

  static constexpr int32_t Normalised(const Row& r, int32_t v) {
    if (r.logical) return v != 0;
    return v < r.low ? r.low : v > r.high ? r.high : v;
  }

  static constexpr runtime::PropertyEntry CommonEntry(size_t i) {
    using namespace property_type;
    constexpr int16_t kCommon[kCommonPropertyCount] = {kInteger, kInteger, kInteger, kInteger,
                                                       kText,    kLogical, kLogical, kMousePointer};
    return {nullptr, nullptr, nullptr, kCommon[i], kCommonPropertyState, nullptr};
  }

  std::array<Row, N> rows_{};
  std::array<size_t, N> order_{};
  size_t storedCount_ = 0;
  uint32_t version_;
  std::array<runtime::PropertyEntry, kCommonPropertyCount + N> entries_{};
};

// The table's state, unit class and size come from its rows.
template <typename S, typename U, size_t N>
PropertyTable(const PropertyRow<S, U> (&rows)[N], uint32_t highestVersion) -> PropertyTable<S, U, N>;

// The property object of a type whose table is `Table`: the type's state with every own property
// at its default, read and written as the table says.
template <const auto& Table>
class TabledProperties final : public PropertyObject, public std::remove_cvref_t<decltype(Table)>::State {
 public:
  using State = typename std::remove_cvref_t<decltype(Table)>::State;
  TabledProperties() { Table.Reset(*this); }
  void Reset() override { Table.Reset(*this); }
  void Serialise(PropertyArchive& archive) override { Table.Serialise(*this, archive); }
};

// The table of `Table` seen from outside its type.
template <const auto& Table>
class TableView final : public PropertyTableView {
  using Properties = TabledProperties<Table>;

 public:
  size_t Count() const override { return Table.kCount; }
  PropertyInfo Info(size_t index) const override {
    const auto& r = Table[index];
    return {r.name, r.type, r.Kind(), r.stored >= 0, r.since, r.low, r.high, r.choices};
  }
  uint32_t Version() const override { return Table.Version(); }
  std::unique_ptr<PropertyObject> NewProperties() const override { return std::make_unique<Properties>(); }
  bool Get(PropertyObject& properties, size_t index, PropertyValue& value) const override {
    auto* p = dynamic_cast<Properties*>(&properties);
    return p != nullptr && Table.GetStored(*p, index, value);
  }
  bool Set(PropertyObject& properties, size_t index, const PropertyValue& value) const override {
    auto* p = dynamic_cast<Properties*>(&properties);
    return p != nullptr && Table.SetStored(*p, index, value);
  }
  std::span<const uint8_t> Source(PropertyObject& properties, size_t index) const override {
    auto* p = dynamic_cast<Properties*>(&properties);
    if (p == nullptr || index >= Table.kCount || Table[index].source == nullptr) return {};
    return static_cast<typename Properties::State&>(*p).*Table[index].source;
  }
};

}  // namespace units

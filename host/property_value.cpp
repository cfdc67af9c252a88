#include "host/property_value.h"

#include <cstring>

#include "platform/font_record.h"
#include "platform/gbk.h"
#include "base/program/memory.h"
#include "base/template/mouse_pointer.h"
#include "base/values/data_block.h"
#include "contract/unit_type_ids.h"

namespace runtime {
namespace {

namespace pt = units::property_type;

// The whole font as the program reads and writes it.
struct FontParts {
  int32_t angle;
  int32_t bold;
  int32_t italic;
  int32_t strikeOut;
  int32_t underline;
  int32_t size;
  char* faceName;
};

enum class Shape { kWord, kEightBytes, kLogical, kChoice, kBytes, kPointer, kFont, kText };

Shape ShapeOf(int16_t type) {
  switch (type) {
    case 1000: case pt::kInteger: case pt::kColor: case 1015: case pt::kBackColor: return Shape::kWord;
    case pt::kChoice: return Shape::kChoice;
    case pt::kNumber: case pt::kDateTime: return Shape::kEightBytes;
    case pt::kLogical: return Shape::kLogical;
    case pt::kPicture: case pt::kIcon: case pt::kSound: case 1023: case 1024: return Shape::kBytes;
    case pt::kMousePointer: return Shape::kPointer;
    case pt::kFont: return Shape::kFont;
    default: return Shape::kText;
  }
}

platform::FontRecord FontOf(const units::PropertyValue& value) {
  platform::FontRecord record;
  if (!platform::FontRecord::Parse(value.AsData(), &record)) record = platform::DefaultGuiFontRecord();
  return record;
}

const std::string& DefaultFace() {
  static const std::string face = platform::Utf8ToGbk("宋体");
  return face;
}

void SetFace(platform::FontRecord& record, const char* face) {
  size_t length = face != nullptr ? std::strlen(face) : 0;
  record.faceName = length >= 1 && length <= 31 ? std::string(face, length) : DefaultFace();
}

DataBytes FontPart(const platform::FontRecord& font, int32_t index) {
  DataBytes out{};
  switch (index) {
    case 0: out.i32 = font.escapement; break;
    case 1: out.i32 = font.weight >= 700; break;
    case 2: out.i32 = font.italic != 0; break;
    case 3: out.i32 = font.strikeOut != 0; break;
    case 4: out.i32 = font.underline != 0; break;
    case 5: out.i32 = font.PointSize(); break;
    case 6: out.text = NewText(font.faceName); break;
    default: {
      auto* parts = static_cast<FontParts*>(Allocate(sizeof(FontParts)));
      *parts = {font.escapement, font.weight >= 700, font.italic != 0, font.strikeOut != 0,
                font.underline != 0, font.PointSize(), NewText(font.faceName)};
      out.ptr = parts;
    }
  }
  return out;
}

void ChangeFontPart(platform::FontRecord& font, int32_t index, DataBytes data) {
  switch (index) {
    case 0: {
      int32_t angle = data.i32 % 3600;
      font.escapement = font.orientation = angle < 0 ? angle + 3600 : angle;
      break;
    }
    case 1: font.weight = data.i32 != 0 ? 700 : 0; break;
    case 2: font.italic = data.i32 != 0; break;
    case 3: font.strikeOut = data.i32 != 0; break;
    case 4: font.underline = data.i32 != 0; break;
    case 5: font.SetPointSize(data.i32); break;
    case 6: SetFace(font, data.text); break;
    default: {
      const auto* parts = static_cast<const FontParts*>(data.ptr);
      if (parts == nullptr) return;
      DataBytes angle{};
      angle.i32 = parts->angle;
      ChangeFontPart(font, 0, angle);
      font.weight = parts->bold != 0 ? 700 : 0;
      font.italic = parts->italic != 0;
      font.strikeOut = parts->strikeOut != 0;
      font.underline = parts->underline != 0;
      font.SetPointSize(parts->size);
      SetFace(font, parts->faceName);
    }
  }
}

std::vector<uint8_t> TranslateFirstWord(std::span<const uint8_t> data, int32_t (*translate)(int32_t)) {
  std::vector<uint8_t> out(data.begin(), data.end());
  if (out.size() >= 4) {
    int32_t word;
    std::memcpy(&word, out.data(), 4);
    word = translate(word);
    std::memcpy(out.data(), &word, 4);
  }
  return out;
}

}  // namespace

char* NewText(std::string_view text) {
  if (text.empty()) return nullptr;
  auto* copy = static_cast<char*>(Allocate(text.size() + 1));
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

std::vector<uint8_t> PointerDataForProgram(std::span<const uint8_t> data) {
  return TranslateFirstWord(data, CursorIdToIndex);
}

std::vector<uint8_t> PointerDataForUnit(std::span<const uint8_t> data) {
  return TranslateFirstWord(data, CursorIndexToId);
}

DataBytes ValueForProgram(int16_t type, const units::PropertyValue& value, int32_t index) {
  DataBytes out{};
  switch (ShapeOf(type)) {
    case Shape::kWord:
    case Shape::kChoice: out.i32 = value.AsInteger(); break;
    case Shape::kEightBytes: out.i64 = static_cast<int64_t>(value.first); break;
    case Shape::kLogical: out.i32 = value.AsInteger() == 1; break;
    case Shape::kBytes: {
      auto bytes = value.AsData();
      out.ptr = NewByteData(bytes.data(), static_cast<int32_t>(bytes.size()));
      break;
    }
    case Shape::kPointer: {
      auto bytes = PointerDataForProgram(value.AsData());
      out.ptr = NewByteData(bytes.data(), static_cast<int32_t>(bytes.size()));
      break;
    }
    case Shape::kFont: out = FontPart(FontOf(value), index); break;
    case Shape::kText: out.text = NewText(value.AsText() != nullptr ? value.AsText() : ""); break;
  }
  return out;
}

UnitValue ValueForUnit(int16_t type, DataBytes data, int32_t index, const units::PropertyValue& current) {
  UnitValue out;
  switch (ShapeOf(type)) {
    case Shape::kWord: out.value = units::PropertyValue::Integer(data.i32); break;
    case Shape::kChoice: out.value = units::PropertyValue::Integer(data.i32 < 0 ? 0 : data.i32); break;
    case Shape::kEightBytes: out.value.first = static_cast<intptr_t>(data.i64); break;
    case Shape::kLogical: out.value = units::PropertyValue::Integer(data.i32 != 0); break;
    case Shape::kBytes:
    case Shape::kPointer: {
      BlockElements elements = ElementsOf(data.ptr);
      std::span<const uint8_t> bytes(elements.first, elements.count);
      out.storage = ShapeOf(type) == Shape::kPointer ? PointerDataForUnit(bytes)
                                                       : std::vector<uint8_t>(bytes.begin(), bytes.end());
      out.value = units::PropertyValue::Data(out.storage.data(), out.storage.size());
      if (out.storage.empty()) out.value = {};
      break;
    }
    case Shape::kFont: {
      platform::FontRecord font = FontOf(current);
      ChangeFontPart(font, index, data);
      auto bytes = font.Bytes();
      out.storage.assign(bytes.begin(), bytes.end());
      out.value = units::PropertyValue::Data(out.storage.data(), out.storage.size());
      break;
    }
    case Shape::kText: {
      const char* text = data.text != nullptr ? data.text : "";
      out.storage.assign(text, text + std::strlen(text) + 1);
      out.value = units::PropertyValue::Text(reinterpret_cast<const char*>(out.storage.data()));
      break;
    }
  }
  return out;
}

}  // namespace runtime

#include "contract/enum_texts.h"

#include "platform/font_record.h"

namespace units {

void TextOffer::Text(std::string& text) {
  if (const char* replacement = callback_(text.c_str(), user_)) text = replacement;
}

void TextOffer::FontFace(std::vector<uint8_t>& font) {
  platform::FontRecord record;
  if (!platform::FontRecord::Parse(font, &record)) return;
  Text(record.faceName);
  const auto bytes = record.Bytes();
  font.assign(bytes.begin(), bytes.end());
}

void* EnumPropertyTexts(PropertyObject& properties, const uint8_t* data, int32_t* length, EnumTextsCallback callback,
                        intptr_t user, const std::function<void(TextOffer&)>& offerTexts) {
  if (length == nullptr) return nullptr;
  if (callback == nullptr || !ReadPropertyData(properties, data, *length)) {
    *length = 0;
    return nullptr;
  }
  TextOffer offer(callback, user);
  offerTexts(offer);
  return WritePropertyBlock(properties, length);
}

}  // namespace units

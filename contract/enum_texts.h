#pragma once
// What a unit type's EnumTexts shares: read the property data, offer each text it holds to the
// callback (which may answer a replacement), and write the data anew.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "contract/property_data.h"
#include "contract/unit_interfaces.h"

namespace units {

class TextOffer {
 public:
  TextOffer(EnumTextsCallback callback, intptr_t user) : callback_(callback), user_(user) {}
  void Text(std::string& text);
  // The face name inside a 60-byte font record; a record of another length holds no text.
  void FontFace(std::vector<uint8_t>& font);

 private:
  EnumTextsCallback callback_;
  intptr_t user_;
};

// Reads `data` (its length in *length) into `properties`, lets `offerTexts` offer the texts, and
// answers the data written anew with its length; null and a length of 0 when the data cannot be
// read or there is no callback.
void* EnumPropertyTexts(PropertyObject& properties, const uint8_t* data, int32_t* length, EnumTextsCallback callback,
                        intptr_t user, const std::function<void(TextOffer&)>& offerTexts);

}  // namespace units

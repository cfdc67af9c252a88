#pragma once
// One decoder per picture family; DecodeImage picks one by the recognised kind. Each returns
// null for data it cannot take, saying why in `why`, and never reads outside `data`.
#include <cstddef>
#include <memory>

#include "imaging/bytes.h"
#include "imaging/image.h"

namespace imaging::detail {

std::unique_ptr<Image> DecodeJpeg(Bytes data, Refusal& why);
std::unique_ptr<Image> DecodePng(Bytes data, Refusal& why);
std::unique_ptr<Image> DecodeBmp(Bytes data, Refusal& why);
std::unique_ptr<Image> DecodeGif(Bytes data, Refusal& why);
std::unique_ptr<Image> DecodePcx(Bytes data, Refusal& why);
std::unique_ptr<Image> DecodeIcon(Bytes data, Refusal& why);

// The icon image of the entry `wantedWidth` pixels wide (or the last entry) of icon or cursor
// file bytes.
QImage IconOfWidth(Bytes data, int wantedWidth, Refusal& why);

// Records why data is refused; null, so that a decoder can `return Refuse(...)`.
inline std::nullptr_t Refuse(Refusal& why, RefusalKind kind, const char* text) {
  why = {kind, text};
  return nullptr;
}

}  // namespace imaging::detail

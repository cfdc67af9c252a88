#pragma once
// One decoder per picture family; DecodeImage picks one by the recognised kind. Each returns
// null for data it cannot take and never reads outside `data`.
#include <memory>

#include "imaging/bytes.h"
#include "imaging/image.h"

namespace imaging::detail {

std::unique_ptr<Image> DecodeJpeg(Bytes data);
std::unique_ptr<Image> DecodePng(Bytes data);
std::unique_ptr<Image> DecodeBmp(Bytes data);
std::unique_ptr<Image> DecodeGif(Bytes data);
std::unique_ptr<Image> DecodePcx(Bytes data);
std::unique_ptr<Image> DecodeIcon(Bytes data);

// The icon image of the entry `wantedWidth` pixels wide (or the last entry) of icon or cursor
// file bytes.
QImage IconOfWidth(Bytes data, int wantedWidth);

}  // namespace imaging::detail

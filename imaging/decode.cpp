#include <QFile>

#include "imaging/decoders.h"

namespace imaging {

std::unique_ptr<Image> DecodeImage(const std::uint8_t* bytes, std::int64_t length) {
  if (bytes == nullptr || length <= 0) return nullptr;
  const detail::Bytes data(bytes, static_cast<std::size_t>(length));
  switch (RecogniseImage(bytes, length)) {
    case kJpeg: return detail::DecodeJpeg(data);
    case kBmp: return detail::DecodeBmp(data);
    case kIco:
    case kCur: return detail::DecodeIcon(data);
    case kGif: return detail::DecodeGif(data);
    case kPcx8:
    case kPcx1: return detail::DecodePcx(data);
    case kPng: return detail::DecodePng(data);
    case kNotPicture: break;
  }
  return nullptr;
}

std::unique_ptr<Image> DecodeImageFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  // Look at the head first so that a large file that is no picture is not read whole.
  const QByteArray head = file.peek(8);
  if (RecogniseImage(reinterpret_cast<const std::uint8_t*>(head.constData()), head.size()) == kNotPicture)
    return nullptr;
  const QByteArray all = file.readAll();
  return DecodeImage(reinterpret_cast<const std::uint8_t*>(all.constData()), all.size());
}

QImage LoadIconOfSize(const std::uint8_t* bytes, std::int64_t length, bool large) {
  if (bytes == nullptr || length <= 0) return {};
  return detail::IconOfWidth(detail::Bytes(bytes, static_cast<std::size_t>(length)), large ? 32 : 16);
}

}  // namespace imaging

#include <QFile>

#include "imaging/decoders.h"

namespace imaging {
namespace {

std::unique_ptr<Image> Decode(const std::uint8_t* bytes, std::int64_t length, Refusal& why) {
  if (bytes == nullptr || length <= 0) return detail::Refuse(why, RefusalKind::kNotPicture, "no data");
  const detail::Bytes data(bytes, static_cast<std::size_t>(length));
  switch (RecogniseImage(bytes, length)) {
    case kJpeg: return detail::DecodeJpeg(data, why);
    case kBmp: return detail::DecodeBmp(data, why);
    case kIco:
    case kCur: return detail::DecodeIcon(data, why);
    case kGif: return detail::DecodeGif(data, why);
    case kPcx8:
    case kPcx1: return detail::DecodePcx(data, why);
    case kPng: return detail::DecodePng(data, why);
    case kNotPicture: break;
  }
  return detail::Refuse(why, RefusalKind::kNotPicture, "no known picture format");
}

}  // namespace

std::unique_ptr<Image> DecodeImage(const std::uint8_t* bytes, std::int64_t length, Refusal* why) {
  Refusal refusal;
  std::unique_ptr<Image> image = Decode(bytes, length, refusal);
  if (why != nullptr) *why = image ? Refusal{} : refusal;
  return image;
}

std::unique_ptr<Image> DecodeImageFile(const QString& path, Refusal* why) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (why != nullptr) *why = {RefusalKind::kUnreadable, "cannot read the file"};
    return nullptr;
  }
  // Look at the head first so that a large file that is no picture is not read whole.
  const QByteArray head = file.peek(8);
  const auto* headBytes = reinterpret_cast<const std::uint8_t*>(head.constData());
  if (RecogniseImage(headBytes, head.size()) == kNotPicture) return DecodeImage(headBytes, head.size(), why);
  const QByteArray all = file.readAll();
  return DecodeImage(reinterpret_cast<const std::uint8_t*>(all.constData()), all.size(), why);
}

QImage LoadIconOfSize(const std::uint8_t* bytes, std::int64_t length, bool large) {
  if (bytes == nullptr || length <= 0) return {};
  Refusal ignored;
  return detail::IconOfWidth(detail::Bytes(bytes, static_cast<std::size_t>(length)), large ? 32 : 16, ignored);
}

}  // namespace imaging

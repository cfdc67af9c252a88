#include "units/superbtn/button_picture.h"

#include "imaging/image.h"
#include "imaging/picture_cache.h"
#include "platform/colors.h"

namespace units {

namespace {

QImage Keyed(std::span<const uint8_t> bytes, uint32_t transColor) {
  QImage bitmap = imaging::ImageToBitmap(bytes.data(), static_cast<int64_t>(bytes.size()), 0xFFFFFF);
  if (bitmap.isNull() || bitmap.width() < 1 || bitmap.height() < 1) return {};
  bitmap = bitmap.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = transColor == platform::kDefaultColor ? bitmap.pixel(0, 0) | 0xFF000000u
                                                          : platform::FromColorRef(transColor).rgb();
  for (int y = 0; y < bitmap.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x)
      if ((row[x] | 0xFF000000u) == key) row[x] = 0;
  }
  return bitmap;
}

}  // namespace

ButtonPicture ButtonPicture::Build(std::span<const uint8_t> bytes, uint32_t transColor,
                                   std::span<const uint8_t> source) {
  ButtonPicture picture;
  if (bytes.empty()) return picture;
  if (imaging::IsLasting(source))
    picture.image = imaging::DerivedPicture(source, transColor, [&] { return Keyed(source, transColor); });
  else
    picture.image = Keyed(bytes, transColor);
  return picture;
}

QImage ButtonPicture::Greyed() const {
  if (image.isNull()) return {};
  const QRgb highlight = platform::SystemColorOf(platform::SystemColor::kButtonHighlight).rgb();
  const QRgb shadow = platform::SystemColorOf(platform::SystemColor::kButtonShadow).rgb();
  QImage out(image.width() + 1, image.height() + 1, QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  // Clear pixels count as white, so only the opaque, non-white ones are drawn.
  auto ink = [this](int x, int y) {
    const QRgb p = image.pixel(x, y);
    return qAlpha(p) != 0 && (p & 0xFFFFFF) != 0xFFFFFF;
  };
  for (int pass = 0; pass < 2; ++pass) {
    const int shift = pass == 0 ? 1 : 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (ink(x, y)) out.setPixel(x + shift, y + shift, pass == 0 ? highlight : shadow);
  }
  return out;
}

}  // namespace units

// Truncated, oversized and inconsistent data is refused by every decoder, with its reason;
// GIF and JPEG pictures whose image data stops early show what the data held.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

bool Decodes(const pb::Bytes& bytes, std::size_t length) {
  return imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(length)) != nullptr;
}
bool Decodes(const pb::Bytes& bytes) { return Decodes(bytes, bytes.size()); }

void Put16(pb::Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(pb::Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

QImage Indexed(int width, int height) {
  QImage picture(width, height, QImage::Format_Indexed8);
  picture.setColorCount(4);
  for (int i = 0; i < 4; ++i) picture.setColor(i, qRgb(i * 60, 0, 255 - i * 60));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, (x ^ y) & 3);
  return picture;
}

QImage Mono(int width, int height) {
  QImage picture(width, height, QImage::Format_Mono);
  picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  picture.fill(1);
  picture.setPixel(1, 1, 0);
  return picture;
}

pb::Bytes Icon() {
  QImage picture(32, 32, QImage::Format_ARGB32);
  picture.fill(qRgb(1, 2, 3));
  return pb::IconFile(1, {{32, 16, pb::IconBitmap(picture, 8)}});
}

// A PNG of `width` x `height` whose header is sound but whose data runs out at once.
pb::Bytes PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  pb::Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
  b.insert(b.end(), {8, 6, 0, 0, 0});
  const std::uint32_t crc = crc32(0, b.data() + 12, 17);
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(crc >> shift));
  b.resize(100, 0);
  return b;
}

// What the picture looks like prepared against `background`, or a null image when refused.
QImage Shown(const pb::Bytes& bytes, std::size_t length, imaging::COLORREF background = 0x00FF00FF,
             imaging::Refusal* why = nullptr) {
  const auto image = imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(length), why);
  imaging::PreparedImage prepared;
  if (!image || !imaging::PrepareImage(nullptr, *image, background, &prepared)) return {};
  return prepared.bitmap;
}

std::size_t Find(const pb::Bytes& bytes, std::initializer_list<std::uint8_t> marker) {
  return static_cast<std::size_t>(std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end()) - bytes.begin());
}

TEST(DamagedData, EveryTruncationIsRefused) {
  struct Case {
    const char* name;
    pb::Bytes file;
    std::size_t tolerated;  // trailing bytes that carry nothing of the picture
  };
  const std::vector<Case> cases = {
      {"bmp", pb::BmpFile(pb::Gradient(5, 4), 24), 0},
      {"bmp8", pb::BmpFile(Indexed(5, 4), 8), 0},
      {"pcx8", pb::Pcx8File(Indexed(9, 7)), 0},
      {"pcx1", pb::Pcx1File(Mono(20, 5)), 0},
      {"ico", Icon(), 0},
      {"png", pb::Encode(pb::Gradient(16, 16), "png"), 12},  // the end chunk
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Decodes(c.file)) << c.name;
    for (std::size_t length = 0; length + c.tolerated < c.file.size(); ++length)
      ASSERT_FALSE(Decodes(c.file, length)) << c.name << " cut to " << length << " of " << c.file.size();
  }
}

TEST(DamagedData, HugeSizesInSmallFilesAreRefused) {
  pb::Bytes bmp = pb::BmpFile(pb::Gradient(4, 4), 24);
  Put32(bmp, 18, 64000), Put32(bmp, 22, 64000);
  bmp.resize(100);
  EXPECT_FALSE(Decodes(bmp));

  pb::Bytes gifScreen = pb::GifFile(Indexed(4, 4));
  Put16(gifScreen, 6, 64000), Put16(gifScreen, 8, 64000);
  EXPECT_FALSE(Decodes(gifScreen));
  pb::Bytes gifFrame = pb::GifFile(Indexed(4, 4));
  const std::size_t descriptor = 13 + 4 * 3;
  ASSERT_EQ(gifFrame[descriptor], 0x2C);
  Put16(gifFrame, descriptor + 5, 60000), Put16(gifFrame, descriptor + 7, 60000);
  EXPECT_FALSE(Decodes(gifFrame));

  pb::Bytes pcx = pb::Pcx1File(Mono(8, 2));
  Put16(pcx, 8, 63999), Put16(pcx, 10, 63999), Put16(pcx, 66, 8000);
  EXPECT_FALSE(Decodes(pcx));

  EXPECT_FALSE(Decodes(PngHeaderOnly(64000, 64000)));
  EXPECT_FALSE(Decodes(PngHeaderOnly(0x7FFFFFFF, 1)));

  pb::Bytes jpeg = pb::Encode(pb::Gradient(16, 16), "jpeg", 90);
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = jpeg[i + 7] = 0xFA;  // 64000 rows and columns, big-endian
      jpeg[i + 6] = jpeg[i + 8] = 0x00;
    }
  EXPECT_FALSE(Decodes(jpeg));

  pb::Bytes icon = Icon();
  Put32(icon, 22 + 4, 64000), Put32(icon, 22 + 8, 128000);  // the entry's own header
  EXPECT_FALSE(Decodes(icon));
}

TEST(DamagedData, InconsistentHeadersAreRefused) {
  const pb::Bytes bmp = pb::BmpFile(Indexed(4, 4), 8);
  auto changed = [](pb::Bytes b, std::size_t at, std::uint32_t v) {
    Put32(b, at, v);
    return b;
  };
  EXPECT_FALSE(Decodes(changed(bmp, 30, 1)));    // compressed
  EXPECT_FALSE(Decodes(changed(bmp, 10, 20)));   // pixels inside the header
  EXPECT_FALSE(Decodes(changed(bmp, 46, 300)));  // a palette reaching into the pixels
  pb::Bytes sixteenBits = bmp;
  Put16(sixteenBits, 28, 16);
  EXPECT_FALSE(Decodes(sixteenBits));

  pb::Bytes gif = pb::GifFile(Indexed(4, 4));
  pb::Bytes noImage(gif.begin(), gif.begin() + 13 + 12);
  noImage.push_back(0x3B);
  EXPECT_FALSE(Decodes(noImage));
  pb::Bytes badCodes = gif;
  badCodes[13 + 12 + 10 + 2] = 0xFF;  // the first code is no pixel value
  EXPECT_FALSE(Decodes(badCodes));

  pb::Bytes pcx = pb::Pcx8File(Indexed(4, 4));
  pb::Bytes threePlanes = pcx, shortLines = pcx, noPalette = pcx;
  threePlanes[65] = 3;
  Put16(shortLines, 66, 2);
  noPalette[noPalette.size() - 769] = 0;
  EXPECT_FALSE(Decodes(threePlanes));
  EXPECT_FALSE(Decodes(shortLines));
  EXPECT_FALSE(Decodes(noPalette));

  pb::Bytes icon = Icon();
  pb::Bytes farEntry = icon, moreEntries = icon;
  Put32(farEntry, 6 + 12, static_cast<std::uint32_t>(icon.size()));
  Put16(moreEntries, 4, 200);
  EXPECT_FALSE(Decodes(farEntry));
  EXPECT_FALSE(Decodes(moreEntries));

  pb::Bytes png = pb::Encode(pb::Gradient(8, 8), "png");
  png[png.size() - 20] ^= 0x55;  // inside the compressed data, breaking its checksum
  EXPECT_FALSE(Decodes(png));
  pb::Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 8, 0, 8, 1, 1, 0x11, 0, 0xFF, 0xD9};
  EXPECT_FALSE(Decodes(jpeg));
}

TEST(DamagedData, GifImageDataCutShortShowsItsWholeTopRows) {
  const QImage picture = Indexed(9, 7);
  for (bool interlaced : {false, true}) {
    pb::GifOptions options;
    options.interlaced = interlaced;
    const pb::Bytes gif = pb::GifFile(picture, options);
    const std::size_t codes = 13 + 4 * 3 + 10 + 1;  // header, colour table, descriptor, code size
    ASSERT_EQ(gif[codes - 11], 0x2C);
    int shownRows = 0;
    for (std::size_t length = 0; length < gif.size(); ++length) {
      imaging::Refusal why;
      const QImage shown = Shown(gif, length, 0x00FF00FF, &why);
      if (shown.isNull()) {
        // Refused only while not one whole row is there.
        ASSERT_EQ(shownRows, 0) << interlaced << " cut to " << length;
        EXPECT_EQ(why.kind, length < 6 ? imaging::RefusalKind::kNotPicture : imaging::RefusalKind::kTruncated) << length;
        continue;
      }
      ASSERT_GT(length, codes);
      ASSERT_EQ(shown.size(), picture.size());
      int rows = 0;
      while (rows < 7 && shown.pixel(0, rows) == picture.pixel(0, rows) && shown.pixel(8, rows) == picture.pixel(8, rows))
        ++rows;
      ASSERT_GE(rows, shownRows) << length;
      for (int y = rows; y < 7; ++y) ASSERT_EQ(shown.pixel(4, y), qRgb(255, 0, 255)) << length << " row " << y;
      shownRows = rows;
    }
    EXPECT_EQ(shownRows, 7) << interlaced;
  }
}

TEST(DamagedData, GifCodesEndingEarlyAreDamageNotTruncation) {
  // The codes of a 4 x 4 picture of 4 colours are 3 bits wide from the start: an end code (5)
  // in the first code after the clear leaves no pixel at all.
  pb::Bytes gif = pb::GifFile(Indexed(4, 4));
  const std::size_t firstCodes = 13 + 4 * 3 + 10 + 2;
  ASSERT_EQ(gif[firstCodes - 1 - 11], 0x2C);
  gif[firstCodes] = static_cast<std::uint8_t>(4 | 5 << 3);  // clear, end
  imaging::Refusal why;
  EXPECT_TRUE(Shown(gif, gif.size(), 0, &why).isNull());
  EXPECT_EQ(why.kind, imaging::RefusalKind::kDamaged);
  EXPECT_STREQ(why.text, "damaged GIF: image data ends early");
}

TEST(DamagedData, JpegDataEndingEarlyShowsWhatWasDecoded) {
  const QImage picture = pb::Gradient(16, 64);
  const pb::Bytes jpeg = pb::Encode(picture, "jpeg", 95);
  const QImage whole = Shown(jpeg, jpeg.size());
  ASSERT_FALSE(whole.isNull());
  ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  ASSERT_EQ(jpeg[jpeg.size() - 1], 0xD9);
  // Missing only the end marker: the very same picture.
  EXPECT_EQ(Shown(jpeg, jpeg.size() - 2), whole);

  // Cut halfway through the scan: full size, the top rows as decoded from the whole file.
  const std::size_t scan = Find(jpeg, {0xFF, 0xDA});
  ASSERT_LT(scan, jpeg.size());
  const QImage half = Shown(jpeg, scan + (jpeg.size() - scan) / 2);
  ASSERT_EQ(half.size(), whole.size());
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(half.pixel(x, y), whole.pixel(x, y)) << x << "," << y;

  // Ending before its scan begins is fatal: there is no picture.
  for (std::size_t length = 0; length <= scan; ++length) {
    imaging::Refusal why;
    ASSERT_TRUE(Shown(jpeg, length, 0, &why).isNull()) << length;
    EXPECT_NE(why.kind, imaging::RefusalKind::kNone);
  }
}

TEST(DamagedData, BmpListingMoreColoursThanItsBitsUsesTheFirstOnes) {
  QImage picture(5, 3, QImage::Format_Indexed8);
  picture.setColorCount(16);
  for (int i = 0; i < 16; ++i) picture.setColor(i, qRgb(i * 16, 255 - i * 16, 77));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) picture.setPixel(x, y, (x * 3 + y * 5) % 16);
  // 20 palette entries for 4-bit pixels: the 4 extra ones fill the gap before the pixels.
  pb::Bytes bmp = pb::BmpFile(picture, 4, false, 4 * 4);
  Put32(bmp, 46, 20);
  const QImage shown = Shown(bmp, bmp.size());
  ASSERT_EQ(shown.size(), picture.size());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(shown.pixel(x, y), picture.pixel(x, y)) << x << "," << y;

  // The count is trusted no further than the data goes.
  Put32(bmp, 46, 0x40000000);
  imaging::Refusal why;
  EXPECT_TRUE(Shown(bmp, bmp.size(), 0, &why).isNull());
  EXPECT_EQ(why.kind, imaging::RefusalKind::kTruncated);
}

}  // namespace

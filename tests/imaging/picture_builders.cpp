#include "tests/imaging/picture_builders.h"

#include <QBuffer>
#include <QImageWriter>
#include <map>
#include <unordered_map>

namespace picture_builders {
namespace {

void Put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutBgrx(Bytes& out, QRgb c) {
  out.insert(out.end(), {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
                         static_cast<std::uint8_t>(qRed(c)), 0});
}

void InfoHeader(Bytes& out, int width, int height, int bits, int colours) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, bits);
  for (int i = 0; i < 4; ++i) Put32(out, 0);  // compression, image size, resolutions
  Put32(out, colours);
  Put32(out, 0);
}

// One row of the picture in `bits` per pixel, padded to 4 bytes.
Bytes Row(const QImage& picture, int y, int bits) {
  Bytes row(((picture.width() * bits + 31) / 32) * 4);
  for (int x = 0; x < picture.width(); ++x) {
    if (bits >= 24) {
      const QRgb c = picture.pixel(x, y);
      std::uint8_t* p = &row[x * bits / 8];
      p[0] = qBlue(c), p[1] = qGreen(c), p[2] = qRed(c);
      if (bits == 32) p[3] = qAlpha(c);
    } else {
      const int index = picture.pixelIndex(x, y), bit = x * bits;
      row[bit / 8] |= index << (8 - bits - bit % 8);
    }
  }
  return row;
}

struct BitWriter {
  Bytes bytes;
  std::uint32_t buffer = 0;
  int count = 0;
  void Write(unsigned code, int size) {
    buffer |= code << count;
    for (count += size; count >= 8; count -= 8, buffer >>= 8) bytes.push_back(buffer & 0xFF);
  }
  void Flush() {
    if (count > 0) bytes.push_back(buffer & 0xFF);
  }
};

Bytes Lzw(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
  const unsigned clear = 1u << minCodeSize, end = clear + 1;
  unsigned next = clear + 2;
  int size = minCodeSize + 1;
  std::unordered_map<std::uint32_t, unsigned> table;
  BitWriter out;
  out.Write(clear, size);
  unsigned prefix = pixels[0];
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    const std::uint32_t key = prefix << 8 | pixels[i];
    if (auto found = table.find(key); found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.Write(prefix, size);
    if (next < 4096) {
      table[key] = next++;
      // The reader's table is one entry behind ours, so it widens its codes one code later.
      if (next > (1u << size) && size < 12) ++size;
    } else {
      out.Write(clear, size);
      table.clear();
      next = clear + 2;
      size = minCodeSize + 1;
    }
    prefix = pixels[i];
  }
  out.Write(prefix, size);
  out.Write(end, size);
  out.Flush();
  return out.bytes;
}

void SubBlocks(Bytes& out, const Bytes& data) {
  for (std::size_t pos = 0; pos < data.size(); pos += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - pos);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + pos, data.begin() + pos + n);
  }
  out.push_back(0);
}

void RunLength(Bytes& out, const std::uint8_t* line, int length) {
  for (int i = 0; i < length;) {
    int run = 1;
    while (i + run < length && run < 63 && line[i + run] == line[i]) ++run;
    if (run > 1 || line[i] >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
    out.push_back(line[i]);
    i += run;
  }
}

Bytes PcxHeader(const QImage& picture, int version, int bits, int bytesPerLine) {
  Bytes out = {10, static_cast<std::uint8_t>(version), 1, static_cast<std::uint8_t>(bits)};
  Put16(out, 0), Put16(out, 0), Put16(out, picture.width() - 1), Put16(out, picture.height() - 1);
  out.resize(128);
  out[65] = 1;
  out[66] = static_cast<std::uint8_t>(bytesPerLine), out[67] = static_cast<std::uint8_t>(bytesPerLine >> 8);
  return out;
}

}  // namespace

Bytes Encode(const QImage& picture, const char* format, int quality) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.write(picture);
  return Bytes(data.begin(), data.end());
}

Bytes BmpFile(const QImage& picture, int bits, bool topDown, int gap) {
  const int colours = bits <= 8 ? static_cast<int>(picture.colorCount()) : 0;
  const int rowBytes = ((picture.width() * bits + 31) / 32) * 4;
  const std::uint32_t offset = 54 + colours * 4 + gap;
  Bytes out = {'B', 'M'};
  Put32(out, offset + rowBytes * picture.height());
  Put32(out, 0);
  Put32(out, offset);
  InfoHeader(out, picture.width(), topDown ? -picture.height() : picture.height(), bits, colours);
  for (int i = 0; i < colours; ++i) PutBgrx(out, picture.color(i));
  out.resize(out.size() + gap, 0xEE);
  for (int n = 0; n < picture.height(); ++n) {
    const Bytes row = Row(picture, topDown ? n : picture.height() - 1 - n, bits);
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes GifFile(const QImage& picture, const GifOptions& options) {
  int tableBits = 1;
  while ((1 << tableBits) < picture.colorCount()) ++tableBits;
  Bytes table;
  for (int i = 0; i < (1 << tableBits); ++i) {
    const QRgb c = i < picture.colorCount() ? picture.color(i) : 0;
    table.insert(table.end(), {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                               static_cast<std::uint8_t>(qBlue(c))});
  }
  const std::uint8_t tableFlags = static_cast<std::uint8_t>(0x80 | (tableBits - 1));
  Bytes out = {'G', 'I', 'F', '8', static_cast<std::uint8_t>(options.version89 ? '9' : '7'), 'a'};
  Put16(out, options.screenWidth ? options.screenWidth : picture.width());
  Put16(out, options.screenHeight ? options.screenHeight : picture.height());
  out.insert(out.end(), {static_cast<std::uint8_t>(options.localTable ? 0 : tableFlags), 0, 0});
  if (!options.localTable) out.insert(out.end(), table.begin(), table.end());
  if (options.withExtensions) {
    out.insert(out.end(), {0x21, 0xF9, 4, 0x05, 10, 0, 3, 0});
    out.insert(out.end(), {0x21, 0xFE, 5, 'h', 'e', 'l', 'l', 'o', 0});
  }
  out.push_back(0x2C);
  Put16(out, 0), Put16(out, 0), Put16(out, picture.width()), Put16(out, picture.height());
  out.push_back(static_cast<std::uint8_t>((options.localTable ? tableFlags : 0) | (options.interlaced ? 0x40 : 0)));
  if (options.localTable) out.insert(out.end(), table.begin(), table.end());
  std::vector<int> order;
  if (options.interlaced) {
    for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
      for (int y = start; y < picture.height(); y += step) order.push_back(y);
  } else {
    for (int y = 0; y < picture.height(); ++y) order.push_back(y);
  }
  std::vector<std::uint8_t> pixels;
  for (int y : order)
    for (int x = 0; x < picture.width(); ++x) pixels.push_back(static_cast<std::uint8_t>(picture.pixelIndex(x, y)));
  const int minCodeSize = std::max(2, tableBits);
  out.push_back(static_cast<std::uint8_t>(minCodeSize));
  SubBlocks(out, Lzw(pixels, minCodeSize));
  out.push_back(0x3B);
  return out;
}

Bytes Pcx8File(const QImage& picture) {
  const int bytesPerLine = (picture.width() + 1) & ~1;
  Bytes out = PcxHeader(picture, 5, 8, bytesPerLine);
  Bytes line(bytesPerLine);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) line[x] = static_cast<std::uint8_t>(picture.pixelIndex(x, y));
    RunLength(out, line.data(), bytesPerLine);
  }
  out.push_back(12);
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < picture.colorCount() ? picture.color(i) : 0;
    out.insert(out.end(), {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                           static_cast<std::uint8_t>(qBlue(c))});
  }
  return out;
}

Bytes Pcx1File(const QImage& picture) {
  const int bytesPerLine = ((picture.width() + 15) / 16) * 2;
  Bytes out = PcxHeader(picture, 3, 1, bytesPerLine);
  for (int y = 0; y < picture.height(); ++y) {
    Bytes line(bytesPerLine);
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixelIndex(x, y)) line[x / 8] |= 0x80 >> (x % 8);
    RunLength(out, line.data(), bytesPerLine);
  }
  return out;
}

Bytes IconBitmap(const QImage& picture, int bits) {
  std::map<QRgb, int> indexes;
  QImage indexed(picture.size(), QImage::Format_Indexed8);
  if (bits == 8) {
    indexed.setColorCount(256);
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        const QRgb c = picture.pixel(x, y) | 0xFF000000;
        auto [it, added] = indexes.emplace(c, static_cast<int>(indexes.size()));
        if (added) indexed.setColor(it->second, c);
        indexed.setPixel(x, y, it->second);
      }
  }
  Bytes out;
  InfoHeader(out, picture.width(), picture.height() * 2, bits, 0);
  if (bits == 8)
    for (int i = 0; i < 256; ++i) PutBgrx(out, indexed.color(i));
  for (int y = picture.height() - 1; y >= 0; --y) {
    const Bytes row = Row(bits == 8 ? indexed : picture, y, bits);
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int y = picture.height() - 1; y >= 0; --y) {
    Bytes mask(((picture.width() + 31) / 32) * 4);
    for (int x = 0; x < picture.width(); ++x)
      if (qAlpha(picture.pixel(x, y)) == 0) mask[x / 8] |= 0x80 >> (x % 8);
    out.insert(out.end(), mask.begin(), mask.end());
  }
  return out;
}

Bytes IconFile(int type, const std::vector<IconEntry>& entries) {
  Bytes out;
  Put16(out, 0), Put16(out, type), Put16(out, static_cast<unsigned>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const IconEntry& e : entries) {
    out.insert(out.end(), {static_cast<std::uint8_t>(e.width), static_cast<std::uint8_t>(e.width),
                           static_cast<std::uint8_t>(e.colourCount), 0});
    Put16(out, 1), Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(e.image.size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(e.image.size());
  }
  for (const IconEntry& e : entries) out.insert(out.end(), e.image.begin(), e.image.end());
  return out;
}

QImage Gradient(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, qRgb((x * 16) & 0xFF, (y * 16) & 0xFF, 100));
  return picture;
}

}  // namespace picture_builders

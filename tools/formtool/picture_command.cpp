// formtool picture: decodes a picture with the imaging module and writes what a unit would
// draw of it as a PNG file.
#include <cstdio>
#include <optional>
#include <string>

#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include "imaging/image.h"
#include "tools/formtool/commands.h"
#include "tools/formtool/pending_files.h"

namespace formtool {
namespace {

constexpr const char* kUsage =
    "usage: formtool picture FILE [--background 0xBBGGRR] [--size WxH] [--key 0xBBGGRR] -o OUT.png\n";

std::optional<imaging::COLORREF> ParseColour(const std::string& text) {
  try {
    std::size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 0);
    if (used != text.size() || value > 0xFFFFFF) return std::nullopt;
    return static_cast<imaging::COLORREF>(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<QSize> ParseSize(const std::string& text) {
  int width = 0, height = 0, used = 0;
  if (std::sscanf(text.c_str(), "%dx%d%n", &width, &height, &used) != 2 || used != static_cast<int>(text.size()) ||
      width <= 0 || height <= 0 || width > 32767 || height > 32767)
    return std::nullopt;
  return QSize(width, height);
}

struct Options {
  std::string file, out;
  imaging::COLORREF background = 0xFFFFFF;
  std::optional<QSize> size;
  std::optional<imaging::COLORREF> key;
};

std::optional<Options> ParseArgs(const Args& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" && hasValue) {
      options.out = args[++i];
    } else if (arg == "--background" && hasValue) {
      const auto colour = ParseColour(args[++i]);
      if (!colour) return std::nullopt;
      options.background = *colour;
    } else if (arg == "--key" && hasValue) {
      // A key is handed to the drawing as a negative raster operation, so black (0) cannot be one.
      options.key = ParseColour(args[++i]);
      if (!options.key || *options.key == 0) return std::nullopt;
    } else if (arg == "--size" && hasValue) {
      options.size = ParseSize(args[++i]);
      if (!options.size) return std::nullopt;
    } else if (options.file.empty() && !arg.starts_with("-")) {
      options.file = arg;
    } else {
      return std::nullopt;
    }
  }
  if (options.file.empty() || options.out.empty()) return std::nullopt;
  return options;
}

}  // namespace

int Picture(const Args& args) {
  const std::optional<Options> options = ParseArgs(args);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  imaging::Refusal why;
  const std::unique_ptr<imaging::Image> image = imaging::DecodeImageFile(QString::fromStdString(options->file), &why);
  if (!image) {
    std::fprintf(stderr, "not a picture: %s (%s)\n", options->file.c_str(), why.text);
    return 1;
  }
  const QSize natural(image->width, image->height);
  const QSize size = options->size.value_or(natural);
  const imaging::COLORREF bg = options->background;
  QImage canvas(size, QImage::Format_RGB32);
  canvas.fill(qRgb(bg & 0xFF, (bg >> 8) & 0xFF, (bg >> 16) & 0xFF));
  {
    QPainter painter(&canvas);
    imaging::PreparedImage prepared;
    if (imaging::PrepareImage(&painter, *image, bg, &prepared)) {
      const int width = options->size ? size.width() : -1, height = options->size ? size.height() : -1;
      imaging::DrawPrepared(prepared, 0, 0, width, height,
                            options->key ? -static_cast<std::int32_t>(*options->key) : imaging::SRCCOPY);
      imaging::ReleasePrepared(&prepared);
    }
  }
  PendingFiles out;
  std::string error;
  if (QIODevice* file = out.Open(QString::fromStdString(options->out), &error)) {
    QImageWriter writer(file, "png");
    if (!writer.write(canvas)) error = "cannot write " + options->out + ": " + writer.errorString().toStdString();
    else out.Commit(&error);
  }
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace formtool

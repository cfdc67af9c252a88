// Picture bytes made drawable by the imaging module against Qt's own image reader on the same
// bytes. The module's side is what the units do before they paint: decode, then prepare the
// image against a background (the prepared bitmap, or the icon, is what is drawn). Qt's side is
// QImageReader::read() from a buffer, whose result Qt paints as it is.
//
// Each benchmark runs both sides in turn, alternating which goes first, and reports the median
// of the per-iteration ratios module / Qt (below 1: the module is faster; the budget is 1).
// Qt has no PCX reader: PCX pictures are measured against Qt reading the same picture as a PNG
// of the same bit depth (compressed too, and read into an indexed or monochrome image), and as
// a BMP (uncompressed rows, which no run-length decoder can match).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

constexpr imaging::COLORREF kBackground = 0xF0F0F0;

// A photo-like picture: smooth gradients with some texture, so the coders have work to do.
QImage Synthetic(int width, int height, bool alpha) {
  QImage picture(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int texture = static_cast<int>(20 * std::sin(x * 0.07) * std::cos(y * 0.05));
      picture.setPixel(x, y, qRgba(std::clamp(x * 255 / width + texture, 0, 255), std::clamp(y * 255 / height - texture, 0, 255),
                                   (x * y / 7) & 0xFF, alpha ? (x * 3 + y) & 0xFF : 255));
    }
  return picture;
}

QImage Indexed(int width, int height, int colours) {
  QImage picture(width, height, QImage::Format_Indexed8);
  picture.setColorCount(colours);
  for (int i = 0; i < colours; ++i) picture.setColor(i, qRgb(i * 255 / colours, (i * 5) & 0xFF, 255 - i * 255 / colours));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, ((x / 3) + (y / 5) * 7 + ((x * y) % 11 == 0)) % colours);
  return picture;
}

QImage Mono(int width, int height) {
  QImage picture(width, height, QImage::Format_Mono);
  picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, ((x / 9) ^ (y / 7)) & 1);
  return picture;
}

pb::Bytes ToolboxPicture(const char* name) {
  QFile file(QStringLiteral(QUARLEX_PICTURES_DIR "/") + QString::fromLatin1(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray all = file.readAll();
  return pb::Bytes(all.begin(), all.end());
}

struct Sample {
  pb::Bytes ours;    // what the module decodes
  pb::Bytes theirs;  // what Qt reads: the same bytes, except for PCX
  const char* qtFormat;
};

const std::map<std::string, Sample>& Samples() {
  static const std::map<std::string, Sample> samples = [] {
    std::map<std::string, Sample> s;
    auto same = [&s](const std::string& name, pb::Bytes bytes, const char* format) {
      s[name] = {bytes, bytes, format};
    };
    same("jpeg_score_table", ToolboxPicture("score_table.jpg"), "jpeg");
    same("png_price_table", ToolboxPicture("price_table.png"), "png");
    same("png_opaque", pb::Encode(Synthetic(600, 400, false), "png"), "png");
    same("bmp24", pb::BmpFile(Synthetic(600, 780, false), 24), "bmp");
    same("bmp8", pb::BmpFile(Indexed(600, 400, 256), 8), "bmp");
    same("gif", pb::GifFile(Indexed(600, 400, 256)), "gif");
    const QImage icon = Synthetic(32, 32, true);
    same("ico", pb::IconFile(1, {{32, 0, pb::IconBitmap(icon, 32)}}), "ico");
    same("cur", pb::IconFile(2, {{32, 0, pb::IconBitmap(icon, 32)}}), "cur");
    const QImage indexed = Indexed(600, 400, 256), mono = Mono(600, 400);
    s["pcx8_vs_png8"] = {pb::Pcx8File(indexed), pb::Encode(indexed, "png"), "png"};
    s["pcx1_vs_png1"] = {pb::Pcx1File(mono), pb::Encode(mono, "png"), "png"};
    s["pcx8_vs_bmp8"] = {pb::Pcx8File(indexed), pb::BmpFile(indexed, 8), "bmp"};
    s["pcx1_vs_bmp1"] = {pb::Pcx1File(mono), pb::BmpFile(mono, 1), "bmp"};
    return s;
  }();
  return samples;
}

bool ModuleDraws(const pb::Bytes& bytes) {
  const auto image = imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  imaging::PreparedImage prepared;
  const bool ready = image && imaging::PrepareImage(nullptr, *image, kBackground, &prepared);
  benchmark::DoNotOptimize(prepared.bitmap.constBits());
  return ready;
}

bool QtReads(const QByteArray& data, const char* format) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  const QImage image = reader.read();
  benchmark::DoNotOptimize(image.constBits());
  return !image.isNull();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

struct Medians {
  double ours = 0, qt = 0, ratio = 0;
};
std::map<std::string, Medians>& Results() {
  static std::map<std::string, Medians> results;
  return results;
}

void SideBySide(benchmark::State& state, const std::string& name) {
  const Sample& sample = Samples().at(name);
  const QByteArray theirs = QByteArray::fromRawData(reinterpret_cast<const char*>(sample.theirs.data()),
                                                    static_cast<qsizetype>(sample.theirs.size()));
  using Clock = std::chrono::steady_clock;
  std::vector<double> ours, qt, ratios;
  bool moduleFirst = true;
  for (auto _ : state) {
    double took[2] = {};  // module, Qt
    for (int turn = 0; turn < 2; ++turn) {
      const bool module = (turn == 0) == moduleFirst;
      const auto start = Clock::now();
      const bool ok = module ? ModuleDraws(sample.ours) : QtReads(theirs, sample.qtFormat);
      took[module ? 0 : 1] = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
      if (!ok) state.SkipWithError(module ? "the module did not decode" : "Qt did not decode");
    }
    moduleFirst = !moduleFirst;
    ours.push_back(took[0]);
    qt.push_back(took[1]);
    ratios.push_back(took[0] / took[1]);
  }
  Medians& medians = Results()[name];
  medians = {Median(ours), Median(qt), Median(ratios)};
  state.counters["imaging_us"] = medians.ours;
  state.counters["qt_us"] = medians.qt;
  state.counters["ratio"] = medians.ratio;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  for (const auto& [name, sample] : Samples())
    benchmark::RegisterBenchmark(("drawable/" + name).c_str(), SideBySide, name)->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::puts("\nmedians: decode + prepare with the imaging module, QImageReader::read(), ratio (budget 1.00)");
  for (const auto& [name, medians] : Results())
    std::printf("  %-17s %7zu bytes  %9.1f us  %9.1f us  %5.2f %s\n", name.c_str(), Samples().at(name).ours.size(),
                medians.ours, medians.qt, medians.ratio, medians.ratio <= 1.0 ? "" : "OVER BUDGET");
  benchmark::Shutdown();
  return 0;
}

// Decoding the same picture bytes with the imaging module and with Qt's own image reader.
// After the runs it prints, per format, how long the module takes relative to Qt (below 1 is
// faster).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

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

QImage Indexed256(int width, int height) {
  QImage picture(width, height, QImage::Format_Indexed8);
  picture.setColorCount(256);
  for (int i = 0; i < 256; ++i) picture.setColor(i, qRgb(i, (i * 5) & 0xFF, 255 - i));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, ((x / 3) + (y / 5) * 7 + ((x * y) % 11 == 0)) & 0xFF);
  return picture;
}

struct Sample {
  const char* format;
  pb::Bytes bytes;
};

const std::map<std::string, Sample>& Samples() {
  static const std::map<std::string, Sample> samples = {
      {"jpeg", {"jpeg", pb::Encode(Synthetic(600, 780, false), "jpeg", 90)}},
      {"png", {"png", pb::Encode(Synthetic(740, 206, true), "png")}},
      {"gif", {"gif", pb::GifFile(Indexed256(600, 400))}},
      {"bmp", {"bmp", pb::BmpFile(Synthetic(600, 780, false), 24)}},
  };
  return samples;
}

void Module(benchmark::State& state, const std::string& name) {
  const pb::Bytes& bytes = Samples().at(name).bytes;
  for (auto _ : state) {
    auto image = imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    if (!image) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(image);
  }
}

void QtReader(benchmark::State& state, const std::string& name) {
  const Sample& sample = Samples().at(name);
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(sample.bytes.data()),
                                                  static_cast<qsizetype>(sample.bytes.size()));
  for (auto _ : state) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, sample.format);
    QImage image = reader.read();
    if (image.isNull()) state.SkipWithError("Qt did not decode");
    benchmark::DoNotOptimize(image);
  }
}

// Collects the mean time per run so that main can print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean")
        times[run.run_name.str()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  for (const auto& [name, sample] : Samples()) {
    benchmark::RegisterBenchmark(("imaging/" + name).c_str(), Module, name)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("qt/" + name).c_str(), QtReader, name)->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::puts("\nimaging time / Qt time (below 1: imaging is faster)");
  for (const auto& [name, sample] : Samples()) {
    const auto ours = reporter.times.find("imaging/" + name), qt = reporter.times.find("qt/" + name);
    if (ours != reporter.times.end() && qt != reporter.times.end())
      std::printf("  %-5s %zu bytes: %.2f\n", name.c_str(), sample.bytes.size(), ours->second / qt->second);
  }
  benchmark::Shutdown();
  return 0;
}

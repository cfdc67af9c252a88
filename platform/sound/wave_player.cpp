// Waves through Qt's sound effects. A sound effect plays from a file: each distinct wave is
// written once to a private temporary file that lives as long as the process.
#include <QCryptographicHash>
#include <QDir>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/little_endian.h"
#include "platform/sound/sound_players.h"

namespace platform::sound {
namespace {

int gLive = 0;

QUrl WaveFile(const uint8_t* wave, size_t length) {
  static std::map<QByteArray, std::unique_ptr<QTemporaryFile>> files;
  const QByteArray bytes(reinterpret_cast<const char*>(wave), static_cast<qsizetype>(length));
  const QByteArray key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
  auto it = files.find(key);
  if (it == files.end()) {
    auto file = std::make_unique<QTemporaryFile>(QStringLiteral("%1/quarlex-wave-XXXXXX.wav").arg(QDir::tempPath()));
    if (!file->open() || file->write(bytes) != bytes.size() || !file->flush()) return {};
    it = files.emplace(key, std::move(file)).first;
  }
  return QUrl::fromLocalFile(it->second->fileName());
}

// How long one play of the wave lasts, from its "fmt " and "data" chunks; -1 when they cannot
// be read.
qint64 WaveMilliseconds(const uint8_t* wave, size_t length) {
  uint32_t byteRate = 0;
  uint64_t dataBytes = 0;
  bool haveData = false;
  for (size_t at = 12; at + 8 <= length;) {
    const uint32_t size = LoadU32(wave + at + 4);
    if (std::memcmp(wave + at, "fmt ", 4) == 0 && size >= 12 && at + 8 + 12 <= length)
      byteRate = LoadU32(wave + at + 16);
    if (std::memcmp(wave + at, "data", 4) == 0) {
      dataBytes = std::min<uint64_t>(size, length - at - 8);
      haveData = true;
    }
    at += 8 + size + (size & 1);
    if (at < 12) break;  // wrapped
  }
  if (byteRate == 0 || !haveData) return -1;
  return static_cast<qint64>(dataBytes * 1000 / byteRate);
}

// A sound effect counted while it exists, so that what is freed can be checked.
class CountedEffect : public QSoundEffect {
 public:
  CountedEffect() { ++gLive; }
  ~CountedEffect() override { --gLive; }
};

bool gClosing = false;

// One wave sound. A wave played once ends by itself: when its effect says it stopped playing,
// when the effect fails, or, since an effect without an audio output plays for ever without a
// word, a while after the wave's own length.
class WavePlayback {
 public:
  WavePlayback(const QUrl& file, bool repeat) : effect_(new CountedEffect) {
    effect_->setSource(file);
    effect_->setLoopCount(repeat ? QSoundEffect::Infinite : 1);
  }
  ~WavePlayback() {
    // The effect may be the one whose signal is being delivered right now: it hears nothing
    // more from us and goes once that delivery is over.
    QObject::disconnect(effect_.get(), nullptr, Hub(), nullptr);
    effect_->stop();
    if (gClosing) return;  // deleted here, the application object is going
    effect_.release()->deleteLater();
  }
  WavePlayback(const WavePlayback&) = delete;
  WavePlayback& operator=(const WavePlayback&) = delete;

  QSoundEffect* Effect() const { return effect_.get(); }

 private:
  std::unique_ptr<QSoundEffect> effect_;
};

// Never destroyed: a process ending through exit() while sounds play leaves them to the
// system instead of stopping them after Qt's own objects are gone.
std::map<int, std::unique_ptr<WavePlayback>>& Waves() {
  static auto* waves = new std::map<int, std::unique_ptr<WavePlayback>>;
  return *waves;
}

// Takes the sound out of the table first, then stops it: stopping makes the effect report that
// it no longer plays, and whatever that report does finds the sound gone already.
bool Finish(int id) {
  auto it = Waves().find(id);
  if (it == Waves().end()) return false;
  std::unique_ptr<WavePlayback> playback = std::move(it->second);
  Waves().erase(it);
  playback.reset();
  return true;
}

// Waits past the end of the wave before giving up on hearing of it.
constexpr qint64 kGraceMilliseconds = 1000;
constexpr qint64 kUnknownLengthMilliseconds = 10000;

}  // namespace

int PlayWaveData(const uint8_t* wave, size_t length, bool repeat) {
  QUrl file = WaveFile(wave, length);
  if (file.isEmpty()) return 0;
  const int id = NextSoundId();
  auto playback = std::make_unique<WavePlayback>(file, repeat);
  QSoundEffect* effect = playback->Effect();
  Waves()[id] = std::move(playback);
  QObject::connect(effect, &QSoundEffect::statusChanged, Hub(), [effect, id] {
    if (effect->status() == QSoundEffect::Error) Finish(id);
  });
  if (!repeat) {
    QObject::connect(effect, &QSoundEffect::playingChanged, Hub(), [effect, id] {
      if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading) Finish(id);
    });
    const qint64 milliseconds = WaveMilliseconds(wave, length);
    auto* timer = new QTimer(effect);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, Hub(), [id] { Finish(id); });
    timer->start(static_cast<int>(std::min<qint64>(
        milliseconds < 0 ? kUnknownLengthMilliseconds : milliseconds + kGraceMilliseconds, 24 * 3600 * 1000)));
  }
  effect->play();
  return id;
}

bool StopWave(int id) { return Finish(id); }

void StopEveryWave() {
  std::vector<int> ids;
  for (const auto& entry : Waves()) ids.push_back(entry.first);
  for (int id : ids) Finish(id);
}

void ReleaseEveryWave() {
  gClosing = true;
  StopEveryWave();
  gClosing = false;
}

int LiveWaves() { return gLive; }

}  // namespace platform::sound

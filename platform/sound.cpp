// Sound from memory: waves through Qt's sound effects, MIDI through a software synthesizer when
// the build has one. Without an audio device nothing is heard and nothing fails.
#include "platform/sound.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#ifdef QUARLEX_HAVE_FLUIDSYNTH
#include <fluidsynth.h>
#endif

namespace platform {
namespace {

int gNextId = 1;

bool IsWave(std::span<const uint8_t> data) {
  return data.size() > 11 && std::memcmp(data.data(), "RIFF", 4) == 0 && std::memcmp(data.data() + 8, "WAVE", 4) == 0;
}

// A sound effect plays from a file: each distinct wave is written once to a private temporary
// file that lives as long as the process.
QUrl WaveFile(std::span<const uint8_t> wave) {
  static std::map<QByteArray, std::unique_ptr<QTemporaryFile>> files;
  const QByteArray bytes(reinterpret_cast<const char*>(wave.data()), static_cast<qsizetype>(wave.size()));
  const QByteArray key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
  auto it = files.find(key);
  if (it == files.end()) {
    auto file = std::make_unique<QTemporaryFile>(QStringLiteral("%1/quarlex-wave-XXXXXX.wav")
                                                     .arg(QDir::tempPath()));
    if (!file->open() || file->write(bytes) != bytes.size() || !file->flush()) return {};
    it = files.emplace(key, std::move(file)).first;
  }
  return QUrl::fromLocalFile(it->second->fileName());
}

std::map<int, std::unique_ptr<QSoundEffect>>& Waves() {
  static std::map<int, std::unique_ptr<QSoundEffect>> waves;
  return waves;
}

#ifdef QUARLEX_HAVE_FLUIDSYNTH
// One MIDI playback: the synthesizer is set up and plays on a thread of its own, since loading a
// sound font takes a while.
class MidiPlayback {
 public:
  MidiPlayback(std::vector<uint8_t> midi, bool repeat) : midi_(std::move(midi)), repeat_(repeat) {
    thread_ = std::thread([this] { Play(); });
  }
  ~MidiPlayback() {
    stop_ = true;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (player_ != nullptr) fluid_player_stop(player_);
    }
    thread_.join();
  }

 private:
  static const char* SoundFont() {
    for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                             "/usr/share/soundfonts/default.sf2"}) {
      if (fluid_is_soundfont(path)) return path;
    }
    return nullptr;
  }

  void Play() {
    fluid_set_log_function(FLUID_PANIC, nullptr, nullptr);
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = settings != nullptr ? new_fluid_synth(settings) : nullptr;
    const char* font = SoundFont();
    fluid_audio_driver_t* driver = nullptr;
    if (synth != nullptr && font != nullptr && !stop_ && fluid_synth_sfload(synth, font, 1) != FLUID_FAILED && !stop_)
      driver = new_fluid_audio_driver(settings, synth);
    if (driver != nullptr) {
      fluid_player_t* player = new_fluid_player(synth);
      if (player != nullptr && fluid_player_add_mem(player, midi_.data(), midi_.size()) == FLUID_OK) {
        fluid_player_set_loop(player, repeat_ ? -1 : 1);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          if (!stop_) {
            player_ = player;
            fluid_player_play(player);
          }
        }
        if (player_ != nullptr) fluid_player_join(player);
        std::lock_guard<std::mutex> lock(mutex_);
        player_ = nullptr;
      }
      if (player != nullptr) delete_fluid_player(player);
      delete_fluid_audio_driver(driver);
    }
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }

  std::vector<uint8_t> midi_;
  bool repeat_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  fluid_player_t* player_ = nullptr;
  std::thread thread_;
};

std::map<int, std::unique_ptr<MidiPlayback>>& Midis() {
  static std::map<int, std::unique_ptr<MidiPlayback>> midis;
  return midis;
}
#endif

// A standard MIDI file: "MThd" with a header length of 6 (big-endian).
bool IsMidi(std::span<const uint8_t> data) {
  return data.size() > 13 && std::memcmp(data.data(), "MThd", 4) == 0 && data[4] == 0 && data[5] == 0 &&
         data[6] == 0 && data[7] == 6;
}

}  // namespace

int PlayWave(std::span<const uint8_t> wave, bool repeat) {
  if (!IsWave(wave)) return 0;
  QUrl file = WaveFile(wave);
  if (file.isEmpty()) return 0;
  auto effect = std::make_unique<QSoundEffect>();
  effect->setSource(file);
  effect->setLoopCount(repeat ? QSoundEffect::Infinite : 1);
  effect->play();
  const int id = gNextId++;
  Waves()[id] = std::move(effect);
  // A wave played once is forgotten when it ends.
  if (!repeat) {
    QSoundEffect* raw = Waves()[id].get();
    QObject::connect(raw, &QSoundEffect::playingChanged, raw, [raw, id] {
      if (!raw->isPlaying() && raw->status() != QSoundEffect::Loading) {
        auto it = Waves().find(id);
        if (it == Waves().end()) return;
        QSoundEffect* done = it->second.release();
        Waves().erase(it);
        done->deleteLater();
      }
    });
  }
  return id;
}

int PlayMidi(std::span<const uint8_t> midi, bool repeat) {
  if (!IsMidi(midi)) return 0;
#ifdef QUARLEX_HAVE_FLUIDSYNTH
  const int id = gNextId++;
  Midis()[id] = std::make_unique<MidiPlayback>(std::vector<uint8_t>(midi.begin(), midi.end()), repeat);
  return id;
#else
  (void)repeat;
  return 0;
#endif
}

void StopSound(int id) {
  auto wave = Waves().find(id);
  if (wave != Waves().end()) {
    wave->second->stop();
    Waves().erase(wave);
    return;
  }
#ifdef QUARLEX_HAVE_FLUIDSYNTH
  Midis().erase(id);
#endif
}

void StopAllWaves() {
  for (auto& [id, effect] : Waves()) effect->stop();
  Waves().clear();
}

}  // namespace platform

// MIDI through FluidSynth, when the build has it. Each playback sets up its synthesizer and plays
// on a thread of its own, since loading a sound font takes a while; when the thread ends (the
// data played once, or no synthesizer, sound font or audio output could be had) the playback is
// freed on the user-interface thread.
#include <QMetaObject>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sound/sound_players.h"

#ifdef QUARLEX_HAVE_FLUIDSYNTH
#include <fluidsynth.h>
#endif

namespace platform::sound {

#ifdef QUARLEX_HAVE_FLUIDSYNTH
namespace {

// The playbacks whose thread has ended, to be freed on the user-interface thread. The ids go
// through this list under its mutex rather than inside the queued call: a thread sanitizer
// cannot see the ordering that Qt's event queue gives what a call carries.
std::mutex gEndedMutex;
std::vector<int> gEnded;

void FreeEnded() {
  std::vector<int> ended;
  {
    std::lock_guard<std::mutex> lock(gEndedMutex);
    ended.swap(gEnded);
  }
  for (int id : ended) StopMidi(id);
}

class MidiPlayback {
 public:
  MidiPlayback(int id, std::vector<uint8_t> midi, bool repeat) : midi_(std::move(midi)), repeat_(repeat) {
    QObject* hub = Hub();
    thread_ = std::thread([this, id, hub] {
      Play();
      {
        std::lock_guard<std::mutex> lock(gEndedMutex);
        gEnded.push_back(id);
      }
      QMetaObject::invokeMethod(hub, [] { FreeEnded(); }, Qt::QueuedConnection);
    });
  }
  ~MidiPlayback() {
    stop_ = true;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (player_ != nullptr) fluid_player_stop(player_);
    }
    thread_.join();
  }
  MidiPlayback(const MidiPlayback&) = delete;
  MidiPlayback& operator=(const MidiPlayback&) = delete;

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
    // The audio output first: without one the playback ends at once, before the sound font
    // (a large file) is read.
    const char* font = synth != nullptr ? SoundFont() : nullptr;
    fluid_audio_driver_t* driver = font != nullptr && !stop_ ? new_fluid_audio_driver(settings, synth) : nullptr;
    if (driver != nullptr && (stop_ || fluid_synth_sfload(synth, font, 1) == FLUID_FAILED || stop_)) {
      delete_fluid_audio_driver(driver);
      driver = nullptr;
    }
    if (driver != nullptr) {
      fluid_player_t* player = new_fluid_player(synth);
      if (player != nullptr && fluid_player_add_mem(player, midi_.data(), midi_.size()) == FLUID_OK) {
        fluid_player_set_loop(player, repeat_ ? -1 : 1);
        bool playing = false;
        {
          std::lock_guard<std::mutex> lock(mutex_);
          if (!stop_) {
            player_ = player;
            fluid_player_play(player);
            playing = true;
          }
        }
        if (playing) fluid_player_join(player);
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

// Never destroyed, as the waves' table.
std::map<int, std::unique_ptr<MidiPlayback>>& Midis() {
  static auto* midis = new std::map<int, std::unique_ptr<MidiPlayback>>;
  return *midis;
}

}  // namespace

int PlayMidiData(const uint8_t* midi, size_t length, bool repeat) {
  const int id = NextSoundId();
  Midis()[id] = std::make_unique<MidiPlayback>(id, std::vector<uint8_t>(midi, midi + length), repeat);
  return id;
}

// Out of the table first, then stopped and joined.
bool StopMidi(int id) {
  auto it = Midis().find(id);
  if (it == Midis().end()) return false;
  std::unique_ptr<MidiPlayback> playback = std::move(it->second);
  Midis().erase(it);
  playback.reset();
  return true;
}

void StopEveryMidi() {
  std::vector<int> ids;
  for (const auto& entry : Midis()) ids.push_back(entry.first);
  for (int id : ids) StopMidi(id);
}

int LiveMidis() { return static_cast<int>(Midis().size()); }

#else

int PlayMidiData(const uint8_t*, size_t, bool) { return 0; }
bool StopMidi(int) { return false; }
void StopEveryMidi() {}
int LiveMidis() { return 0; }

#endif

}  // namespace platform::sound

// The program's side of sound: recognises the data, and loads the sound module the first time
// something is to be played.
#include "platform/sound.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/module_loader.h"
#include "platform/sound_module.h"

namespace platform {
namespace {

std::atomic<const sound::Functions*> gLoaded{nullptr};

const sound::Functions* Module() {
  static std::once_flag once;
  std::call_once(once, [] {
    auto entry = reinterpret_cast<sound::EntryFn>(LoadModuleEntry(sound::kModuleName, sound::kEntryName));
    gLoaded = entry != nullptr ? entry(sound::kInterfaceVersion) : nullptr;
  });
  return gLoaded;
}

bool IsWave(std::span<const uint8_t> data) {
  return data.size() > 11 && std::memcmp(data.data(), "RIFF", 4) == 0 && std::memcmp(data.data() + 8, "WAVE", 4) == 0;
}

// A standard MIDI file: "MThd" with a header length of 6 (big-endian).
bool IsMidi(std::span<const uint8_t> data) {
  return data.size() > 13 && std::memcmp(data.data(), "MThd", 4) == 0 && data[4] == 0 && data[5] == 0 &&
         data[6] == 0 && data[7] == 6;
}

}  // namespace

int PlayWave(std::span<const uint8_t> wave, bool repeat) {
  if (!IsWave(wave)) return 0;
  const sound::Functions* module = Module();
  return module != nullptr ? module->playWave(wave.data(), wave.size(), repeat) : 0;
}

int PlayMidi(std::span<const uint8_t> midi, bool repeat) {
  if (!IsMidi(midi)) return 0;
  const sound::Functions* module = Module();
  return module != nullptr ? module->playMidi(midi.data(), midi.size(), repeat) : 0;
}

// Nothing plays before the module is loaded, so stopping never loads it.
void StopSound(int id) {
  if (const sound::Functions* module = gLoaded.load(); module != nullptr && id != 0) module->stop(id);
}

void StopAllWaves() {
  if (const sound::Functions* module = gLoaded.load()) module->stopAllWaves();
}

int LiveSounds() {
  const sound::Functions* module = gLoaded.load();
  return module != nullptr ? module->liveSounds() : 0;
}

bool SoundModuleLoaded() { return gLoaded.load() != nullptr; }

}  // namespace platform

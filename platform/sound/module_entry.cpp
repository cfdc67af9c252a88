// The sound module's one entry: the table of its functions.
#include <QCoreApplication>
#include <QtGlobal>

#include "platform/sound/sound_players.h"
#include "platform/sound_module.h"

namespace platform::sound {
namespace {

QObject* gHub = nullptr;

// Runs while the application object goes: every sound still alive is freed.
void ReleaseEverything() {
  ReleaseEveryWave();
  StopEveryMidi();
  delete gHub;
  gHub = nullptr;
}

int Play(bool wave, const uint8_t* data, size_t length, bool repeat) {
  if (QCoreApplication::instance() == nullptr) return 0;
  return wave ? PlayWaveData(data, length, repeat) : PlayMidiData(data, length, repeat);
}

void Stop(int id) {
  if (!StopWave(id)) StopMidi(id);
}

const Functions kFunctions{
    [](const uint8_t* data, size_t length, bool repeat) { return Play(true, data, length, repeat); },
    [](const uint8_t* data, size_t length, bool repeat) { return Play(false, data, length, repeat); },
    Stop,
    StopEveryWave,
    [] { return LiveWaves() + LiveMidis(); },
};

}  // namespace

int NextSoundId() {
  static int next = 1;
  return next++;
}

QObject* Hub() {
  if (gHub == nullptr) {
    gHub = new QObject;
    qAddPostRoutine(ReleaseEverything);
  }
  return gHub;
}

}  // namespace platform::sound

extern "C" Q_DECL_EXPORT const platform::sound::Functions* quarlex_sound_functions(int32_t version) {
  return version == platform::sound::kInterfaceVersion ? &platform::sound::kFunctions : nullptr;
}

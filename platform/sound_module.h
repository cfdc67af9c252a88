#pragma once
// The sound module, quarlex_sound: Qt Multimedia and the MIDI synthesizer live there, loaded the
// first time a sound plays, so a program that plays nothing never maps them or the audio
// libraries behind them. The program and the module meet only through this table of functions,
// looked up by name.
#include <cstddef>
#include <cstdint>

namespace platform::sound {

constexpr int32_t kInterfaceVersion = 1;
constexpr const char* kModuleName = "quarlex_sound";
constexpr const char* kEntryName = "quarlex_sound_functions";

// Every function runs on the user-interface thread.
struct Functions {
  // Answer an id for stop, or 0 when the data cannot be played.
  int (*playWave)(const uint8_t* wave, size_t length, bool repeat);
  int (*playMidi)(const uint8_t* midi, size_t length, bool repeat);
  void (*stop)(int id);
  void (*stopAllWaves)();
  // Sound objects not yet freed: playing, or stopped and waiting for their deletion.
  int (*liveSounds)();
};

// The module's entry: its functions when `version` is the one it was built for, else null.
using EntryFn = const Functions* (*)(int32_t version);

}  // namespace platform::sound

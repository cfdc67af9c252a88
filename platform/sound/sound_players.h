#pragma once
// Inside the sound module: the players of waves and of MIDI data. Every sound is owned by the
// table of its kind until it ends, fails or is stopped, and is then freed; whatever still plays
// when the application object goes is freed with it.
#include <QObject>

#include <cstddef>
#include <cstdint>

namespace platform::sound {

// Ids of both kinds come from one counter, so an id names one sound.
int NextSoundId();

// The object that lives on the user-interface thread and receives what the players post back
// to it; made on first use, gone with the application object.
QObject* Hub();

int PlayWaveData(const uint8_t* wave, size_t length, bool repeat);
bool StopWave(int id);
void StopEveryWave();
// The same while the application object goes: freed at once, not after the next events.
void ReleaseEveryWave();
int LiveWaves();

int PlayMidiData(const uint8_t* midi, size_t length, bool repeat);
bool StopMidi(int id);
void StopEveryMidi();
int LiveMidis();

}  // namespace platform::sound

#pragma once
// Playing sound data from memory. Without an audio device nothing is heard and nothing fails.
// The players live in the module quarlex_sound, loaded the first time a sound plays.
#include <cstdint>
#include <span>

namespace platform {

// Plays the bytes of a WAVE file ("RIFF" ... "WAVE"); `repeat` plays it again and again until it
// is stopped. Answers an id for StopSound, or 0 when the data is not a playable wave. A wave
// played once is freed when it ends or fails, or at the latest a little after its length when
// no audio output ever reports its end.
int PlayWave(std::span<const uint8_t> wave, bool repeat);

// Plays the bytes of a standard MIDI file ("MThd", header length 6) when a synthesizer is
// available; answers an id, or 0 when it cannot be played.
int PlayMidi(std::span<const uint8_t> midi, bool repeat);

// Stops one sound and frees it; an id that has ended already is ignored.
void StopSound(int id);

// Stops every wave that is playing.
void StopAllWaves();

// Sound objects not yet freed (0 while the sound module is not loaded).
int LiveSounds();

// Whether the sound module has been loaded.
bool SoundModuleLoaded();

}  // namespace platform

#pragma once
// A WAVE file of silence for sound tests.
#include <cstdint>
#include <vector>

namespace test_support {

// 16-bit mono PCM at 8000 Hz, `milliseconds` long.
inline std::vector<uint8_t> SilentWave(int milliseconds) {
  const uint32_t dataBytes = static_cast<uint32_t>(milliseconds) * 16;  // 8000 samples a second, 2 bytes each
  std::vector<uint8_t> wave;
  auto put = [&wave](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) wave.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto tag = [&wave](const char* t) {
    for (int i = 0; i < 4; ++i) wave.push_back(static_cast<uint8_t>(t[i]));
  };
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);      // PCM
  put(1, 2);      // mono
  put(8000, 4);   // samples a second
  put(16000, 4);  // bytes a second
  put(2, 2);      // block
  put(16, 2);     // bits
  tag("data");
  put(dataBytes, 4);
  wave.resize(wave.size() + dataBytes, 0);
  return wave;
}

// A standard MIDI file of one track with one note.
inline std::vector<uint8_t> OneNoteMidi() {
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
          'M', 'T', 'r', 'k', 0, 0, 0, 12, 0, 0x90, 60, 100, 96, 0x80, 60, 0, 0, 0xFF, 0x2F, 0};
}

}  // namespace test_support

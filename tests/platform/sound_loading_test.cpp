// Qt Multimedia, the synthesizer and the audio libraries behind them come into the process only
// when the first sound plays.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <QWidget>

#include "platform/sound.h"
#include "tests/platform/wave_builder.h"
#include "tests/support/process_maps.h"

namespace {

using test_support::Mapped;

TEST(SoundLoadingTest, TheSoundLibrariesComeWithTheFirstSound) {
  QWidget plain;
  plain.resize(200, 100);
  plain.show();
  QTest::qWait(50);
  ASSERT_TRUE(QFile::exists(QStringLiteral("/proc/self/maps")));
  // Stopping what never played loads nothing either.
  platform::StopSound(1);
  platform::StopAllWaves();
  EXPECT_EQ(platform::LiveSounds(), 0);
  // Data that is no sound is refused without the module.
  const uint8_t junk[16] = {'R', 'I', 'F', 'F'};
  EXPECT_EQ(platform::PlayWave(junk, false), 0);
  EXPECT_FALSE(platform::SoundModuleLoaded());
  for (const char* library : {"quarlex_sound", "libQt6Multimedia", "libfluidsynth", "libSDL2", "libpulse", "libjack",
                              "libsndfile", "libasound"})
    EXPECT_FALSE(Mapped(library)) << library;

  const std::vector<uint8_t> wave = test_support::SilentWave(50);
  EXPECT_NE(platform::PlayWave(wave, false), 0);
  EXPECT_TRUE(platform::SoundModuleLoaded());
  EXPECT_TRUE(Mapped("quarlex_sound"));
  EXPECT_TRUE(Mapped("libQt6Multimedia"));
}

}  // namespace

// Animated GIF pictures: every frame decoded, frames composed with transparency and disposal,
// and the worker thread that plays them started and stopped by the picture box.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include <memory>
#include <thread>

#include "tests/units/picbox/gif_builder.h"
#include "tests/units/picbox/picbox_test_support.h"
#include "imaging/gif_composer.h"
#include "imaging/gif_frames.h"

namespace picbox_test {
namespace {

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBack = 0xFF102030;

// Red over the whole screen, then disposed to the background; a green square with transparent
// pixels; a blue square reaching past the screen's corner.
std::vector<TestFrame> ThreeFrames() {
  TestFrame square = SolidFrame({2, 2, 4, 4}, 1);
  square.transparent = 3;
  square.indices[0] = 3;   // (2, 2)
  square.indices[15] = 3;  // (5, 5)
  square.delayHundredths = 0;
  return {SolidFrame({0, 0, 8, 8}, 0, 2), square, SolidFrame({6, 6, 4, 4}, 2, 0, 3)};
}

int ThreadCount() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("Threads:")) return line.mid(8).trimmed().toInt();
  return -1;
}

TEST(GifFrames, EveryFrameWithItsPlaceTransparencyDisposalAndDelay) {
  const std::vector<uint8_t> gif = BuildGif(8, 8, ThreeFrames());
  std::optional<imaging::GifAnimation> animation = imaging::ReadGifFrames(gif);
  ASSERT_TRUE(animation);
  EXPECT_EQ(animation->screen, QSize(8, 8));
  ASSERT_EQ(animation->frames.size(), 3u);
  EXPECT_EQ(animation->frames[0].disposal, 2);
  EXPECT_EQ(animation->frames[0].delayMs, 10);
  EXPECT_EQ(animation->frames[1].delayMs, 50);  // a delay of 0
  EXPECT_EQ(animation->frames[1].transparent, 3);
  EXPECT_EQ(animation->frames[2].rect, QRect(6, 6, 4, 4));
  EXPECT_EQ(animation->frames[2].transparent, -1);  // the control block holds for one image only

  imaging::GifComposer composer(*animation, kBack);
  QImage canvas = composer.Next();
  EXPECT_EQ(canvas.pixel(0, 0), kRed);
  EXPECT_EQ(canvas.pixel(7, 7), kRed);
  canvas = composer.Next();
  EXPECT_EQ(canvas.pixel(0, 0), kBack);  // disposed to the background
  EXPECT_EQ(canvas.pixel(3, 3), kGreen);
  EXPECT_EQ(canvas.pixel(2, 2), kBack);  // transparent: what lies beneath
  EXPECT_EQ(canvas.pixel(5, 5), kBack);
  canvas = composer.Next();
  EXPECT_EQ(canvas.pixel(3, 3), kGreen);
  EXPECT_EQ(canvas.pixel(6, 6), kBlue);
  EXPECT_EQ(canvas.pixel(7, 7), kBlue);
  canvas = composer.Next();  // round again from a fresh canvas
  EXPECT_EQ(composer.Current(), 0u);
  EXPECT_EQ(canvas.pixel(3, 3), kRed);
  EXPECT_EQ(canvas.pixel(7, 7), kRed);
}

TEST(GifFrames, DisposalThreeRestoresWhatWasBeneath) {
  TestFrame middle = SolidFrame({1, 1, 2, 2}, 1, 3);
  const std::vector<uint8_t> gif = BuildGif(4, 4, {SolidFrame({0, 0, 4, 4}, 0), middle, SolidFrame({3, 3, 1, 1}, 2)});
  std::optional<imaging::GifAnimation> animation = imaging::ReadGifFrames(gif);
  ASSERT_TRUE(animation);
  imaging::GifComposer composer(*animation, kBack);
  composer.Next();
  EXPECT_EQ(composer.Next().pixel(1, 1), kGreen);
  const QImage& canvas = composer.Next();
  EXPECT_EQ(canvas.pixel(1, 1), kRed);
  EXPECT_EQ(canvas.pixel(3, 3), kBlue);
}

TEST(GifFrames, DamagedDataKeepsWhatCameBeforeTheDamage) {
  std::vector<uint8_t> gif = BuildGif(8, 8, ThreeFrames());
  const std::vector<uint8_t> whole = gif;
  // Inside the last frame's codes: 16 of its 25 three-bit codes are left, 10 pixels.
  gif.resize(gif.size() - 6);
  std::optional<imaging::GifAnimation> animation = imaging::ReadGifFrames(gif);
  ASSERT_TRUE(animation);
  ASSERT_EQ(animation->frames.size(), 3u);
  EXPECT_EQ(animation->frames[1].rows, 4);
  EXPECT_EQ(animation->frames[2].rows, 2);
  imaging::GifComposer composer(*animation, kBack);
  composer.Next(), composer.Next();
  const QImage& canvas = composer.Next();
  EXPECT_EQ(canvas.pixel(7, 7), kBlue);
  EXPECT_EQ(canvas.pixel(6, 6), kBlue);
  gif.resize(gif.size() - 6);  // before the last frame has a whole row
  animation = imaging::ReadGifFrames(gif);
  ASSERT_TRUE(animation);
  EXPECT_EQ(animation->frames.size(), 2u);

  // A frame that claims more pixels than its data could hold is not allocated.
  std::vector<uint8_t> huge = whole;
  const size_t descriptor = 13 + 12 + 8;  // header, palette, first control block
  ASSERT_EQ(huge[descriptor], 0x2C);
  huge[descriptor + 5] = huge[descriptor + 6] = huge[descriptor + 7] = huge[descriptor + 8] = 0x7F;
  EXPECT_FALSE(imaging::ReadGifFrames(huge));

  EXPECT_FALSE(imaging::ReadGifFrames(std::vector<uint8_t>(whole.begin(), whole.begin() + 12)));
}

TEST(GifPlaying, AStillAndAnAnimatedBoxShowTheSameOfAPictureCutShort) {
  // One 8 x 8 red frame whose data stops after its fourth row: 48 codes of (clear, pixel,
  // pixel) in 18 bytes.
  std::vector<uint8_t> gif = BuildGif(8, 8, {SolidFrame({0, 0, 8, 8}, 0)});
  const size_t codes = 13 + 12 + 8 + 10 + 1 + 1;  // header, palette, control block, descriptor, sizes
  ASSERT_EQ(gif[codes - 12], 0x2C);
  gif.resize(codes + 18);
  QWidget parent;
  for (int play : {0, 1}) {
    std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData(gif, 0x00302010), {0, 0, 8, 8}));
    ASSERT_NE(box, nullptr);
    SetProperty(box.get(), 4, units::PropertyValue::Integer(play));
    const QImage shot = Shot(box.get());
    for (int y = 0; y < 8; ++y)
      for (int x : {0, 7}) EXPECT_EQ(shot.pixel(x, y), y < 4 ? kRed : kBack) << "animation " << play << " at " << x << "," << y;
  }
}

TEST(GifPlaying, PlaysOnItsOwnThreadAndStopsWithoutLeavingOneBehind) {
  QWidget parent;
  // Helper threads that painting or the first thread of the process start for good are counted
  // in before measuring (a thread sanitizer starts one with the first thread).
  {
    std::unique_ptr<units::PictureBox> warmUp(MakeBox(&parent, {}));
    Shot(warmUp.get());
    std::thread([] {}).join();
  }
  const int threadsBefore = ThreadCount();
  const std::vector<uint8_t> gif = BuildGif(8, 8, ThreeFrames());
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData(gif, 0x00302010), {0, 0, 8, 8}));
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->Animating());
  EXPECT_EQ(ThreadCount(), threadsBefore + 1);
  EXPECT_EQ(Shot(box.get()).pixel(0, 0), kRed);  // the first frame is there at once

  // The worker moves on to the later frames and the box repaints them.
  QTRY_VERIFY_WITH_TIMEOUT(Shot(box.get()).pixel(3, 3) == kGreen, 5000);

  // Turned off: stopped, the first frame shown still.
  SetProperty(box.get(), 4, units::PropertyValue::Integer(0));
  EXPECT_FALSE(box->Animating());
  EXPECT_EQ(ThreadCount(), threadsBefore);
  QImage still = Shot(box.get());
  EXPECT_EQ(still.pixel(3, 3), kRed);
  EXPECT_EQ(still.pixel(7, 7), kRed);

  // On again, then a new picture stops it.
  SetProperty(box.get(), 4, units::PropertyValue::Integer(1));
  EXPECT_TRUE(box->Animating());
  SetProperty(box.get(), 2, units::PropertyValue{});
  EXPECT_FALSE(box->Animating());
  EXPECT_EQ(ThreadCount(), threadsBefore);

  // Destroyed while playing.
  SetProperty(box.get(), 2, units::PropertyValue::Data(gif.data(), gif.size()));
  EXPECT_TRUE(box->Animating());
  QTest::qWait(30);
  box.reset();
  EXPECT_EQ(ThreadCount(), threadsBefore);
  QCoreApplication::processEvents();  // a repaint request of the worker may still wait: it must go quietly
}

TEST(GifPlaying, TheAnimationFlagFollowsPlayAnimationWhateverThePicture) {
  QWidget parent;
  std::unique_ptr<units::PictureBox> box(MakeBox(&parent, BoxData({})));
  ASSERT_NE(box, nullptr);
  SetProperty(box.get(), 4, units::PropertyValue::Integer(0));
  const std::vector<uint8_t> gif = BuildGif(8, 8, ThreeFrames());
  SetProperty(box.get(), 2, units::PropertyValue::Data(gif.data(), gif.size()));
  EXPECT_FALSE(box->Animating());
  EXPECT_EQ(Shot(box.get()).pixel(0, 0), kRed);
}

}  // namespace
}  // namespace picbox_test

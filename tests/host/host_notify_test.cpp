// What the host answers libraries through its notify function.
#include <QBuffer>
#include <QImage>

#include "platform/bitmaps.h"
#include "host/host.h"
#include "tests/host/host_fixture.h"

namespace host_test {
namespace {

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

intptr_t PictureToBitmap(const QByteArray& bytes) {
  return runtime::HostNotifyFunction(runtime::notify::kPictureToBitmap, reinterpret_cast<intptr_t>(bytes.constData()),
                                     bytes.size());
}

// The receiver owns the bitmap made from a picture and can release it; a release is once only.
TEST_F(HostTest, APictureMadeIntoABitmapIsTheReceiversToRelease) {
  Start({MakeWindow(kMain, kMainOwn)});
  QImage picture(4, 3, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  picture.setPixelColor(1, 1, Qt::red);
  const size_t before = platform::LiveBitmapCount();

  const intptr_t handle = PictureToBitmap(Png(picture));
  ASSERT_NE(handle, 0);
  EXPECT_EQ(platform::LiveBitmapCount(), before + 1);
  const QImage* bitmap = platform::BitmapOf(handle);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->size(), QSize(4, 3));
  EXPECT_EQ(bitmap->pixelColor(1, 1), QColor(Qt::red));
  EXPECT_EQ(bitmap->pixelColor(0, 0), QColor(Qt::white));  // drawn on white

  EXPECT_TRUE(platform::DeleteBitmap(handle));
  EXPECT_EQ(platform::LiveBitmapCount(), before);
  EXPECT_EQ(platform::BitmapOf(handle), nullptr);
  EXPECT_FALSE(platform::DeleteBitmap(handle));

  EXPECT_EQ(PictureToBitmap(QByteArray("not a picture")), 0);
  EXPECT_EQ(platform::LiveBitmapCount(), before);
}

}  // namespace
}  // namespace host_test

#include "platform/program_icon.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// The icon is compiled in at the sizes windows ask for; any other size is scaled from them.
// Each is the picture itself: a tile with transparent rounded corners and an opaque middle.
TEST(ProgramIcon, ComesAtEverySizeAskedForAsThePicture) {
  for (int size : {16, 24, 32, 48, 64, 20, 100}) {
    SCOPED_TRACE(size);
    const QImage icon = platform::ProgramIcon(size).toImage();
    ASSERT_EQ(icon.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "a rounded corner";
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 8)), 255) << "the tile near its top edge";
  }
}

}  // namespace

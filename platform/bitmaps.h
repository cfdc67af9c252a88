#pragma once
// Bitmaps handed out by handle (the host's picture-to-bitmap notification makes them). The
// process's bitmap table owns every live one; whoever received a handle releases it with
// DeleteBitmap, and what is left when the process ends goes with the table.
#include <QImage>

#include <cstddef>
#include <cstdint>

namespace platform {

using BitmapHandle = intptr_t;

// A handle to a new bitmap holding `image`; 0 for a null image.
BitmapHandle CreateBitmap(QImage image);
// The bitmap of a live handle; null for 0 or a handle already deleted.
const QImage* BitmapOf(BitmapHandle handle);
// False for 0 or a handle that is not live.
bool DeleteBitmap(BitmapHandle handle);
std::size_t LiveBitmapCount();

}  // namespace platform

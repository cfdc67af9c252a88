#include "host/unit_cursor.h"

#include <QPixmap>

#include <algorithm>

#include "imaging/image.h"
#include "platform/cursors.h"
#include "platform/little_endian.h"
#include "base/template/mouse_pointer.h"

namespace runtime {
namespace {

// A cursor image in the icon file layout: the entry's image with the hot spot of its directory
// entry (cursor files keep it where icon files keep planes and bit count).
std::unique_ptr<QCursor> CursorFromImage(std::span<const uint8_t> bytes) {
  QImage image = imaging::LoadIconOfSize(bytes.data(), static_cast<int64_t>(bytes.size()), true);
  if (image.isNull()) return nullptr;
  int hotX = 0, hotY = 0;
  if (bytes.size() >= 22 && bytes[2] == 2) {
    hotX = platform::LoadU16(bytes.data() + 10);
    hotY = platform::LoadU16(bytes.data() + 12);
  }
  return std::make_unique<QCursor>(QPixmap::fromImage(image), std::min(hotX, image.width() - 1),
                                   std::min(hotY, image.height() - 1));
}

}  // namespace

std::unique_ptr<QCursor> MakeUnitCursor(std::span<const uint8_t> pointerData) {
  CursorChoice choice = SelectCursor(pointerData);
  if (!choice.image.empty()) {
    if (auto cursor = CursorFromImage(choice.image)) return cursor;
  }
  switch (choice.kind) {
    case CursorKind::kHand:
      return std::make_unique<QCursor>(platform::HandCursor());
    case CursorKind::kSystem:
      if (auto cursor = platform::SystemCursor(choice.systemId)) return std::make_unique<QCursor>(*cursor);
      return nullptr;
    default:
      return nullptr;
  }
}

}  // namespace runtime

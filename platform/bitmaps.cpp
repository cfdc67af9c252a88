#include "platform/bitmaps.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace platform {
namespace {

// Libraries may make and release bitmaps on any thread.
struct BitmapTable {
  std::mutex mutex;
  std::unordered_map<BitmapHandle, std::unique_ptr<QImage>> bitmaps;  // keyed by the image's address
};

BitmapTable& Table() {
  static BitmapTable table;
  return table;
}

}  // namespace

BitmapHandle CreateBitmap(QImage image) {
  if (image.isNull()) return 0;
  auto bitmap = std::make_unique<QImage>(std::move(image));
  const auto handle = reinterpret_cast<BitmapHandle>(bitmap.get());
  BitmapTable& table = Table();
  std::lock_guard lock(table.mutex);
  table.bitmaps.emplace(handle, std::move(bitmap));
  return handle;
}

const QImage* BitmapOf(BitmapHandle handle) {
  BitmapTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.bitmaps.find(handle);
  return it != table.bitmaps.end() ? it->second.get() : nullptr;
}

bool DeleteBitmap(BitmapHandle handle) {
  std::unique_ptr<QImage> bitmap;
  BitmapTable& table = Table();
  {
    std::lock_guard lock(table.mutex);
    auto it = table.bitmaps.find(handle);
    if (it == table.bitmaps.end()) return false;
    bitmap = std::move(it->second);
    table.bitmaps.erase(it);
  }
  return true;
}

std::size_t LiveBitmapCount() {
  BitmapTable& table = Table();
  std::lock_guard lock(table.mutex);
  return table.bitmaps.size();
}

}  // namespace platform

#include "imaging/picture_cache.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QThread>

#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

namespace imaging {
namespace {

struct Key {
  const uint8_t* data;
  size_t size;
  uint64_t variant;
  int kind;  // 0 prepared, 1 derived
  bool operator<(const Key& other) const {
    return std::tie(data, size, variant, kind) < std::tie(other.data, other.size, other.variant, other.kind);
  }
};

struct Cache {
  std::mutex mutex;
  std::vector<std::span<const uint8_t>> lasting;
  // Decoded here, or still being decoded by a worker for DecodeAhead.
  std::map<std::pair<const uint8_t*, size_t>, std::shared_future<std::shared_ptr<const Image>>> decoded;
  std::map<Key, std::optional<PreparedImage>> prepared;  // nothing: not a picture
  std::map<Key, QImage> derived;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// Both ends in one object loaded for good: the program or one of its libraries, not the heap.
// The layout of the screen's pixmaps, which painting on the screen copies without converting;
// the image's own layout without a GUI application.
QImage::Format ScreenLayout(QImage::Format otherwise) {
  static const QImage::Format layout = [] {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || QThread::currentThread() != application->thread()) return QImage::Format_Invalid;
    return QPixmap(1, 1).toImage().format();
  }();
  return layout == QImage::Format_Invalid ? otherwise : layout;
}

bool InProgramImage(std::span<const uint8_t> bytes) {
  Dl_info first{}, last{};
  return !bytes.empty() && dladdr(bytes.data(), &first) != 0 && dladdr(bytes.data() + bytes.size() - 1, &last) != 0 &&
         first.dli_fbase != nullptr && first.dli_fbase == last.dli_fbase;
}

bool Inside(const Cache& cache, std::span<const uint8_t> bytes) {
  if (bytes.empty()) return false;
  for (std::span<const uint8_t> range : cache.lasting)
    if (bytes.data() >= range.data() && bytes.size() <= range.size() &&
        static_cast<size_t>(bytes.data() - range.data()) <= range.size() - bytes.size())
      return true;
  return false;
}

// An empty image when the bytes are not a picture.
std::shared_ptr<const Image> Decode(std::span<const uint8_t> bytes) {
  std::unique_ptr<Image> image = DecodeImage(bytes.data(), static_cast<int64_t>(bytes.size()));
  return image ? std::shared_ptr<const Image>(std::move(image)) : std::make_shared<const Image>();
}

// Waits for a decode started ahead. The worker never takes the cache's lock, so waiting while
// holding it cannot deadlock.
std::shared_ptr<const Image> Decoded(Cache& cache, std::span<const uint8_t> bytes) {
  auto& slot = cache.decoded[{bytes.data(), bytes.size()}];
  if (!slot.valid()) {
    std::promise<std::shared_ptr<const Image>> now;
    now.set_value(Decode(bytes));
    slot = now.get_future().share();
  }
  return slot.get();
}

}  // namespace

void AddLastingBytes(std::span<const uint8_t> bytes) {
  if (!InProgramImage(bytes)) return;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  cache.lasting.push_back(bytes);
}

bool IsLasting(std::span<const uint8_t> bytes) {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  return Inside(cache, bytes);
}

void DecodeAhead(std::span<const uint8_t> bytes) {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  if (!Inside(cache, bytes)) return;
  auto& slot = cache.decoded[{bytes.data(), bytes.size()}];
  // The bytes stay put until the cache is released, and releasing it waits for the worker (the
  // last reference to an asynchronous result waits for it).
  if (!slot.valid()) slot = std::async(std::launch::async, [bytes] { return Decode(bytes); }).share();
}

bool PreparedPicture(std::span<const uint8_t> bytes, COLORREF background, PreparedImage* out) {
  if (out == nullptr || bytes.empty()) return false;
  Cache& cache = TheCache();
  std::unique_lock<std::mutex> lock(cache.mutex);
  if (!Inside(cache, bytes)) {
    lock.unlock();
    std::unique_ptr<Image> image = DecodeImage(bytes.data(), static_cast<int64_t>(bytes.size()));
    return image != nullptr && PrepareImage(nullptr, *image, background, out);
  }
  const Key key{bytes.data(), bytes.size(), background, 0};
  auto found = cache.prepared.find(key);
  if (found == cache.prepared.end()) {
    std::optional<PreparedImage> prepared(std::in_place);
    std::shared_ptr<const Image> image = Decoded(cache, bytes);
    if (image->kind == kNotPicture || !PrepareImage(nullptr, *image, background, &*prepared)) prepared.reset();
    // Drawn at every opening of its window: kept ready for the screen.
    else if (!prepared->bitmap.isNull())
      prepared->bitmap = prepared->bitmap.convertToFormat(ScreenLayout(prepared->bitmap.format()));
    found = cache.prepared.emplace(key, std::move(prepared)).first;
  }
  if (!found->second) return false;
  *out = *found->second;
  return true;
}

QImage DerivedPicture(std::span<const uint8_t> bytes, uint64_t variant, const std::function<QImage()>& make) {
  Cache& cache = TheCache();
  {
    std::lock_guard<std::mutex> lock(cache.mutex);
    if (!Inside(cache, bytes)) return make();
    auto found = cache.derived.find({bytes.data(), bytes.size(), variant, 1});
    if (found != cache.derived.end()) return found->second;
  }
  QImage made = make();
  std::lock_guard<std::mutex> lock(cache.mutex);
  return cache.derived.emplace(Key{bytes.data(), bytes.size(), variant, 1}, made).first->second;
}

size_t CachedPictures() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  return cache.decoded.size() + cache.derived.size();
}

void ReleasePictureCache() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  cache.lasting.clear();
  cache.decoded.clear();
  cache.prepared.clear();
  cache.derived.clear();
}

}  // namespace imaging

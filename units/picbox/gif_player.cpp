#include "units/picbox/gif_player.h"

#include <chrono>
#include <utility>

#include "base/program/memory.h"

namespace units {

GifPlayer::GifPlayer(imaging::GifAnimation animation, QRgb background, std::function<void()> frameReady)
    : animation_(std::move(animation)), composer_(animation_, background), frameReady_(std::move(frameReady)) {
  shown_ = composer_.Next().copy();
  if (animation_.frames.size() > 1) thread_ = runtime::WorkerThread([this] { Run(); });
}

GifPlayer::~GifPlayer() {
  if (!thread_.Running()) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  // The worker leaves its loop at the next check of the stop state; the join is its
  // acknowledgement, after which nothing of it runs any more.
  thread_.Join();
}

QImage GifPlayer::CurrentFrame() const {
  // A deep copy: the caller's image then shares nothing with the worker, whose replacing of the
  // published frame is ordered by the mutex alone.
  std::lock_guard lock(mutex_);
  return shown_.copy();
}

void GifPlayer::Run() {
  for (;;) {
    const auto delay = std::chrono::milliseconds(animation_.frames[composer_.Current()].delayMs);
    {
      std::unique_lock lock(mutex_);
      if (wake_.wait_for(lock, delay, [this] { return stop_; })) return;
    }
    const QImage& next = composer_.Next();
    QImage composed = next.copy();
    // Out of memory: a runtime error, which this thread hands to the main thread.
    if (composed.isNull() && !next.isNull()) runtime::ReportAllocationFailure(next.sizeInBytes());
    {
      std::lock_guard lock(mutex_);
      if (stop_) return;
      shown_ = std::move(composed);
    }
    frameReady_();
  }
}

}  // namespace units

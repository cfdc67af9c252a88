#pragma once
// Plays an animated GIF on a worker thread of its own. The worker composes every frame into a
// private canvas and publishes a finished copy under a mutex; the user-interface thread takes a
// copy of that under the same mutex and paints it, so the two never touch the same pixels and
// only Qt's user-interface thread ever paints a widget. Stopping sets the stop state under the
// mutex and wakes the worker, which leaves its loop; joining it is the acknowledgement.
#include <QImage>

#include <condition_variable>
#include <functional>
#include <mutex>

#include "imaging/gif_composer.h"
#include "base/program/main_thread.h"

namespace units {

class GifPlayer {
 public:
  // Composes the first frame at once (so a still view of the box shows it) and, when there is
  // more than one frame, starts the worker. `frameReady` is called on the worker after each
  // newly published frame.
  GifPlayer(imaging::GifAnimation animation, QRgb background, std::function<void()> frameReady);
  // Stops the worker and waits for it to end.
  ~GifPlayer();
  GifPlayer(const GifPlayer&) = delete;
  GifPlayer& operator=(const GifPlayer&) = delete;

  // The last published composite of the logical screen.
  QImage CurrentFrame() const;
  // Whether a worker thread is running.
  bool Playing() const { return thread_.Running(); }

 private:
  void Run();

  const imaging::GifAnimation animation_;
  imaging::GifComposer composer_;  // the worker's alone once it runs
  std::function<void()> frameReady_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;  // under mutex_
  QImage shown_;       // under mutex_
  runtime::WorkerThread thread_;
};

}  // namespace units

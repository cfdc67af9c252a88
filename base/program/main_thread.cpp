#include "base/program/main_thread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace runtime {

struct WorkerThread::State {
  bool finished = false;  // under the shared mutex
  bool blocked = false;   // blocked for good after handing a request, or because the program ends
};

namespace {

struct Shared {
  std::mutex mutex;
  std::condition_variable changed;  // a request handed over, a worker finished or blocked
  std::thread::id main;
  void (*wake)() = nullptr;
  bool ending = false;
  std::function<void()> request;
};

// Never destroyed: threads blocked for good still hold it while the process ends.
Shared& TheShared() {
  static Shared* shared = new Shared;
  return *shared;
}

thread_local WorkerThread::State* tWorker = nullptr;

[[noreturn]] void BlockForGood() {
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

std::function<void()> TakeRequest(Shared& shared) {
  std::function<void()> request = std::move(shared.request);
  shared.request = nullptr;
  return request;
}

}  // namespace

void SetMainThread(std::thread::id id, void (*wake)()) {
  Shared& shared = TheShared();
  std::lock_guard lock(shared.mutex);
  shared.main = id;
  shared.wake = wake;
  shared.ending = false;
  shared.request = nullptr;
}

bool OnMainThread() {
  Shared& shared = TheShared();
  std::lock_guard lock(shared.mutex);
  return shared.main == std::thread::id() || shared.main == std::this_thread::get_id();
}

void HandToMainThread(std::function<void()> request) {
  Shared& shared = TheShared();
  {
    std::lock_guard lock(shared.mutex);
    if (!shared.ending && !shared.request) {
      shared.request = std::move(request);
      if (shared.wake != nullptr) shared.wake();
    }
    if (tWorker != nullptr) tWorker->blocked = true;
  }
  shared.changed.notify_all();
  BlockForGood();
}

void ServeHandedRequest() {
  Shared& shared = TheShared();
  std::function<void()> request;
  {
    std::lock_guard lock(shared.mutex);
    request = TakeRequest(shared);
    if (request) shared.ending = true;
  }
  if (request) request();
}

void BeginEnding() {
  Shared& shared = TheShared();
  std::function<void()> request;
  {
    std::lock_guard lock(shared.mutex);
    if (shared.ending) return;
    shared.ending = true;
    request = TakeRequest(shared);
  }
  if (request) request();
}

WorkerThread::WorkerThread(std::function<void()> body) : state_(std::make_shared<State>()) {
  thread_ = std::thread([state = state_, body = std::move(body)] {
    tWorker = state.get();
    body();
    Shared& shared = TheShared();
    {
      std::lock_guard lock(shared.mutex);
      state->finished = true;
    }
    shared.changed.notify_all();
  });
}

WorkerThread& WorkerThread::operator=(WorkerThread&& other) noexcept {
  if (this != &other) {
    Join();
    state_ = std::move(other.state_);
    thread_ = std::move(other.thread_);
  }
  return *this;
}

void WorkerThread::Join() {
  if (!thread_.joinable()) return;
  const bool main = OnMainThread();
  Shared& shared = TheShared();
  std::unique_lock lock(shared.mutex);
  for (;;) {
    if (state_->finished) {
      lock.unlock();
      thread_.join();
      return;
    }
    if (main && shared.request) {
      lock.unlock();
      ServeHandedRequest();
      lock.lock();
      continue;
    }
    if (state_->blocked) {
      // It waits for the end of the process, which is under way.
      lock.unlock();
      thread_.detach();
      return;
    }
    shared.changed.wait(lock);
  }
}

}  // namespace runtime

#pragma once
// The program ends on the thread that started the host, and only there. Another thread that
// must end the program (an exit request, a runtime error) hands the request to that thread and
// blocks for good; the main thread takes the first such request, unless it has begun ending the
// program itself.
#include <functional>
#include <memory>
#include <thread>

namespace runtime {

// Makes `id` the main thread (the host calls it when it starts; a default id means none, and
// then every thread counts as the main thread). `wake` is called on the handing thread and
// must make the main thread call ServeHandedRequest() soon.
void SetMainThread(std::thread::id id, void (*wake)());
bool OnMainThread();

// On a thread other than the main thread: hands `request` over, unless the main thread has
// begun ending the program or holds another request, then blocks this thread until the
// process ends.
[[noreturn]] void HandToMainThread(std::function<void()> request);

// On the main thread: runs a request handed over (which ends the program); else returns.
void ServeHandedRequest();

// On the main thread, when the program begins to end: a request handed over before runs now
// instead; from here on requests of other threads are not taken.
void BeginEnding();

// A thread of the runtime's own that the main thread waits for. If it hands a request to the
// main thread meanwhile, the wait runs that request rather than waiting for a thread that will
// never end; if it blocked because the program is ending anyway, the wait gives it up.
class WorkerThread {
 public:
  WorkerThread() = default;
  explicit WorkerThread(std::function<void()> body);
  ~WorkerThread() { Join(); }
  WorkerThread(WorkerThread&&) noexcept = default;
  // Waits for the thread it held first.
  WorkerThread& operator=(WorkerThread&& other) noexcept;

  bool Running() const { return thread_.joinable(); }
  void Join();

  struct State;

 private:
  std::shared_ptr<State> state_;
  std::thread thread_;
};

}  // namespace runtime

#pragma once

#include <functional>
#include <utility>

#include "platform/RequestQueue.h"
#include "platform/UiRequests.h"

namespace quorbel {

// The device thread's requests to the GUI thread, carried by a queue of
// blocking calls: a request runs on the GUI thread while the device thread
// waits. While the GUI thread waits in ServeUntil it serves these requests,
// and the other calls of other threads, but no window events.
class QueuedUiRequests : public UiRequests {
 public:
  explicit QueuedUiRequests(RequestQueue& queue) : queue_(queue) {}

  void Run(const std::function<void()>& request) override { queue_.Call(request); }
  void Post(std::function<void()> request) override { queue_.Post(std::move(request)); }
  void CatchUp() override { queue_.CatchUp(); }
  void HoldPosts() override { queue_.HoldPosts(); }
  void ReleasePosts() override { queue_.ReleasePosts(); }
  void ServeUntil(const std::function<bool()>& done) override { queue_.ServeUntil(done); }
  void Wake() override { queue_.Wake(); }
  void OutsideRequests(std::function<void()> work) override {
    queue_.OutsideCalls(std::move(work));
  }

 private:
  RequestQueue& queue_;
};

}  // namespace quorbel

#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/UiRequests.h"

namespace quorbel {

// Requests to the GUI thread without a window system: the thread that
// constructs this object is the GUI thread. Another thread's Run() queues the
// request and blocks until the GUI thread has run it in ServeUntil() or
// ServePending(); an exception the request throws reaches that caller.
class MemoryUiRequests : public UiRequests {
 public:
  MemoryUiRequests();

  void Run(const std::function<void()>& request) override;
  void Post(std::function<void()> request) override;
  // Off the GUI thread it waits, but not for a posted request that waits in
  // ServeUntil() (it may wait for the very thread catching up); on the GUI
  // thread it serves the queue until every posted request has started.
  void CatchUp() override;
  // Held posts do not wake a GUI thread that sleeps in ServeUntil().
  void HoldPosts() override;
  void ReleasePosts() override;
  // GUI thread only. Sleeps between requests; wakes for each request and
  // for Wake().
  void ServeUntil(const std::function<bool()>& done) override;
  void Wake() override;
  void OutsideRequests(std::function<void()> work) override;

  // GUI thread only: runs the requests queued at this moment; returns how many.
  std::size_t ServePending();
  // Requests queued and not yet taken by the GUI thread.
  std::size_t Pending() const;
  bool OnGuiThread() const { return std::this_thread::get_id() == guiThread_; }

 private:
  struct Request {
    std::function<void()> work;
    bool finished = false;
    bool posted = false;
    std::exception_ptr failure;  // what the request threw, for its caller
  };
  // With the lock held: takes the first queued request.
  std::shared_ptr<Request> Take();
  void Serve(const std::shared_ptr<Request>& request);
  void RunPutOff();

  const std::thread::id guiThread_;
  mutable std::mutex mutex_;
  std::condition_variable arrived_;   // a request was queued, or Wake()
  std::condition_variable finished_;  // a request has run
  std::deque<std::shared_ptr<Request>> queue_;
  std::size_t postedQueued_ = 0;   // posted requests not yet started
  std::size_t postedRunning_ = 0;  // posted requests running now, nested ones included
  // How many of the running posted requests are below the GUI thread's
  // innermost ServeUntil(), waiting with it.
  std::size_t postedBlocked_ = 0;
  bool woken_ = false;
  bool postsHeld_ = false;
  bool wakeOwed_ = false;  // posted while held, and no wake-up since
  // GUI thread only: requests running now (nested ones included), and the
  // works put off until none runs.
  int running_ = 0;
  std::deque<std::function<void()>> putOff_;
  bool runningPutOff_ = false;
};

}  // namespace quorbel

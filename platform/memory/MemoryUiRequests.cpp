#include "platform/memory/MemoryUiRequests.h"

#include <utility>

namespace quorbel {

MemoryUiRequests::MemoryUiRequests() : guiThread_(std::this_thread::get_id()) {}

void MemoryUiRequests::Run(const std::function<void()>& request) {
  if (OnGuiThread()) {
    request();
    return;
  }
  auto queued = std::make_shared<Request>(Request{request, false, false, nullptr});
  std::unique_lock lock(mutex_);
  queue_.push_back(queued);
  arrived_.notify_all();
  finished_.wait(lock, [&] { return queued->finished; });
  // The failure moves to this thread, so that the exception ends here and not
  // with the GUI thread's last hold on the request.
  const std::exception_ptr failure = std::exchange(queued->failure, nullptr);
  lock.unlock();
  if (failure) std::rethrow_exception(failure);
}

void MemoryUiRequests::Post(std::function<void()> request) {
  if (OnGuiThread()) {
    request();
    return;
  }
  auto queued = std::make_shared<Request>(Request{std::move(request), false, true, nullptr});
  std::lock_guard lock(mutex_);
  queue_.push_back(std::move(queued));
  ++postedQueued_;
  if (postsHeld_) {
    wakeOwed_ = true;
    return;
  }
  arrived_.notify_all();
}

void MemoryUiRequests::HoldPosts() {
  std::lock_guard lock(mutex_);
  postsHeld_ = true;
}

void MemoryUiRequests::ReleasePosts() {
  std::lock_guard lock(mutex_);
  postsHeld_ = false;
  if (std::exchange(wakeOwed_, false)) arrived_.notify_all();
}

void MemoryUiRequests::CatchUp() {
  if (!OnGuiThread()) {
    std::unique_lock lock(mutex_);
    if (std::exchange(wakeOwed_, false)) arrived_.notify_all();
    // A posted request that waits in ServeUntil() may wait for this very
    // thread: it is not waited for, only what runs or is queued above it.
    finished_.wait(lock, [this] { return postedQueued_ == 0 && postedRunning_ == postedBlocked_; });
    return;
  }
  for (;;) {
    std::shared_ptr<Request> next;
    {
      std::lock_guard lock(mutex_);
      if (postedQueued_ == 0 || queue_.empty()) return;
      next = Take();
    }
    Serve(next);
  }
}

void MemoryUiRequests::ServeUntil(const std::function<bool()>& done) {
  std::size_t outerBlocked = 0;
  {
    // The posted requests running now wait with this wait; CatchUp() no
    // longer waits for them.
    std::lock_guard lock(mutex_);
    outerBlocked = postedBlocked_;
    postedBlocked_ = postedRunning_;
    finished_.notify_all();
  }
  struct Leave {
    MemoryUiRequests& requests;
    std::size_t outerBlocked;
    ~Leave() {
      std::lock_guard lock(requests.mutex_);
      requests.postedBlocked_ = outerBlocked;
    }
  } leave{*this, outerBlocked};
  for (;;) {
    {
      // A Wake() from here on makes the wait below return, so the answer of
      // done() is never stale.
      std::lock_guard lock(mutex_);
      woken_ = false;
    }
    if (done()) return;
    std::shared_ptr<Request> next;
    {
      std::unique_lock lock(mutex_);
      arrived_.wait(lock, [this] { return woken_ || !queue_.empty(); });
      if (queue_.empty()) continue;
      next = Take();
    }
    Serve(next);
  }
}

void MemoryUiRequests::Wake() {
  std::lock_guard lock(mutex_);
  woken_ = true;
  arrived_.notify_all();
}

std::size_t MemoryUiRequests::ServePending() {
  std::size_t count = 0;
  {
    std::lock_guard lock(mutex_);
    count = queue_.size();
  }
  std::size_t served = 0;
  for (; served < count; ++served) {
    std::shared_ptr<Request> next;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) break;
      next = Take();
    }
    Serve(next);
  }
  return served;
}

std::size_t MemoryUiRequests::Pending() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

void MemoryUiRequests::OutsideRequests(std::function<void()> work) {
  if (!OnGuiThread() || running_ == 0) {
    work();
    return;
  }
  putOff_.push_back(std::move(work));
}

std::shared_ptr<MemoryUiRequests::Request> MemoryUiRequests::Take() {
  std::shared_ptr<Request> next = std::move(queue_.front());
  queue_.pop_front();
  if (next->posted) {
    --postedQueued_;
    ++postedRunning_;
  }
  return next;
}

void MemoryUiRequests::Serve(const std::shared_ptr<Request>& request) {
  std::exception_ptr failure;
  ++running_;
  try {
    request->work();
  } catch (...) {
    failure = std::current_exception();
  }
  --running_;
  {
    std::lock_guard lock(mutex_);
    if (request->posted) --postedRunning_;
    request->failure = std::move(failure);
    request->finished = true;
    finished_.notify_all();
  }
  if (running_ == 0) RunPutOff();
}

void MemoryUiRequests::RunPutOff() {
  // A work that waits serves requests itself; what it puts off meanwhile
  // runs after it, not inside it.
  if (runningPutOff_) return;
  runningPutOff_ = true;
  try {
    while (running_ == 0 && !putOff_.empty()) {
      const std::function<void()> work = std::move(putOff_.front());
      putOff_.pop_front();
      work();
    }
  } catch (...) {
    runningPutOff_ = false;
    throw;
  }
  runningPutOff_ = false;
}

}  // namespace quorbel

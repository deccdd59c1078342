#include "platform/RequestQueue.h"

#include <chrono>
#include <stdexcept>
#include <utility>

namespace quorbel {

RequestQueue::RequestQueue(std::function<void()> wakeGui,
                           std::optional<std::chrono::milliseconds> lookAgain)
    : guiThread_(std::this_thread::get_id()), wakeGui_(std::move(wakeGui)), lookAgain_(lookAgain) {}

RequestQueue::~RequestQueue() { Close(); }

void RequestQueue::Close() {
  // What the calls would work on is going away with the GUI thread: the
  // callers still waiting get a failure instead of waiting for ever.
  std::lock_guard lock(mutex_);
  wakeGui_ = nullptr;
  for (Request* request : queue_) {
    if (request->posted) {
      delete request;
      continue;
    }
    request->failure = std::make_exception_ptr(std::runtime_error("the GUI thread has ended"));
    request->finished = true;
  }
  queue_.clear();
  postedQueued_ = 0;
  finished_.notify_all();
}

void RequestQueue::Call(const std::function<void()>& work) {
  if (OnGuiThread()) {
    work();
    return;
  }
  Request request{&work, false, nullptr, {}};
  std::unique_lock lock(mutex_);
  queue_.push_back(&request);
  WakeForQueue();
  finished_.wait(lock, [&request] { return request.finished; });
  if (request.failure) std::rethrow_exception(request.failure);
}

void RequestQueue::Post(std::function<void()> work) {
  if (!work) return;
  if (OnGuiThread()) {
    work();
    return;
  }
  auto* request = new Request{};
  request->posted = std::move(work);
  request->work = &request->posted;
  std::lock_guard lock(mutex_);
  queue_.push_back(request);
  ++postedQueued_;
  if (postsHeld_) {
    wakeOwed_ = true;
    return;
  }
  WakeForQueue();
}

void RequestQueue::WakeForQueue() {
  wakeOwed_ = false;
  arrived_.notify_all();
  if (wakeGui_) wakeGui_();
}

void RequestQueue::HoldPosts() {
  std::lock_guard lock(mutex_);
  postsHeld_ = true;
}

void RequestQueue::ReleasePosts() {
  std::lock_guard lock(mutex_);
  postsHeld_ = false;
  if (wakeOwed_) WakeForQueue();
}

void RequestQueue::CatchUp() {
  std::unique_lock lock(mutex_);
  if (wakeOwed_) WakeForQueue();
  if (OnGuiThread()) {
    while (postedQueued_ > 0 && ServeOne(lock)) {
    }
    return;
  }
  finished_.wait(lock, [this] { return postedQueued_ == 0 && postedRunning_ == postedBlocked_; });
}

bool RequestQueue::ServeOne(std::unique_lock<std::mutex>& lock) {
  if (queue_.empty()) return false;
  Request* request = queue_.front();
  queue_.pop_front();
  if (request->posted) {
    --postedQueued_;
    ++postedRunning_;
  }
  lock.unlock();
  std::exception_ptr failure;
  ++running_;
  try {
    (*request->work)();
  } catch (...) {
    failure = std::current_exception();
  }
  --running_;
  lock.lock();
  const bool posted = static_cast<bool>(request->posted);
  if (posted) {
    delete request;
    --postedRunning_;
  } else {
    request->failure = std::move(failure);
    request->finished = true;
  }
  finished_.notify_all();
  if (running_ == 0 && !putOff_.empty()) {
    lock.unlock();
    RunPutOff();
    lock.lock();
  }
  // A posted work's caller is gone: what it threw goes up the GUI thread.
  if (posted && failure) std::rethrow_exception(failure);
  return true;
}

void RequestQueue::OutsideCalls(std::function<void()> work) {
  if (!OnGuiThread() || running_ == 0) {
    work();
    return;
  }
  putOff_.push_back(std::move(work));
}

void RequestQueue::RunPutOff() {
  // A work that waits serves calls itself; what it puts off meanwhile runs
  // after it, not inside it.
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

std::size_t RequestQueue::ServePending() {
  std::unique_lock lock(mutex_);
  const std::size_t count = queue_.size();
  std::size_t served = 0;
  while (served < count && ServeOne(lock)) ++served;
  return served;
}

void RequestQueue::ServeUntil(const std::function<bool()>& done) {
  std::unique_lock lock(mutex_);
  const bool gui = OnGuiThread();
  const std::size_t outerBlocked = postedBlocked_;
  if (gui) {
    // The posted works running now wait with this wait: CatchUp() no longer
    // waits for them, only for what runs or is queued above it.
    postedBlocked_ = postedRunning_;
    finished_.notify_all();
  }
  // Runs with the lock held: every return below holds it.
  struct Leave {
    RequestQueue& calls;
    bool gui;
    std::size_t outerBlocked;
    ~Leave() {
      if (gui) calls.postedBlocked_ = outerBlocked;
    }
  } leave{*this, gui, outerBlocked};
  for (;;) {
    if (gui) {
      while (ServeOne(lock)) {
      }
    }
    woken_ = false;
    lock.unlock();
    const bool finished = done();
    lock.lock();
    if (finished) return;
    // The time-out only guards against a waker that forgot to call Wake().
    const auto arrived = [this, gui] { return woken_ || (gui && !queue_.empty()); };
    if (lookAgain_) {
      arrived_.wait_for(lock, *lookAgain_, arrived);
    } else {
      arrived_.wait(lock, arrived);
    }
  }
}

std::size_t RequestQueue::Pending() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

void RequestQueue::Wake() {
  std::lock_guard lock(mutex_);
  woken_ = true;
  arrived_.notify_all();
}

}  // namespace quorbel

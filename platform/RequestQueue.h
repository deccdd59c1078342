#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace quorbel {

// Blocking calls from any thread into the GUI thread, the thread that
// constructed this object. A call from another thread is queued, the GUI
// thread's event loop is woken through the hook its window system supplies,
// and the caller waits until the call has run; an exception it throws reaches
// the caller. A call on the GUI thread runs at once. The device thread's
// requests ride on these calls, whichever window system carries them.
//
// While the GUI thread waits on another thread it uses ServeUntil(), which
// runs the queued calls (and nothing else: no window events, so no user
// command runs in the middle of the wait) until its condition holds. Calls
// from other threads therefore never deadlock against such a wait. Calls
// still queued when the queue closes fail with std::runtime_error.
class RequestQueue {
 public:
  static constexpr std::chrono::milliseconds kLookAgain{100};

  // `wakeGui` makes the GUI thread's event loop call ServePending() soon. It
  // is called with the queue's lock held, from any thread, and must neither
  // block nor call back into the queue; without one, only a GUI thread
  // waiting in ServeUntil() notices a call. `lookAgain` is how long such a
  // wait sleeps before it looks at its condition again without a Wake(); a
  // rig that must catch a forgotten Wake() sleeps until woken.
  explicit RequestQueue(std::function<void()> wakeGui,
                        std::optional<std::chrono::milliseconds> lookAgain = kLookAgain);
  ~RequestQueue();
  RequestQueue(const RequestQueue&) = delete;
  RequestQueue& operator=(const RequestQueue&) = delete;

  bool OnGuiThread() const { return std::this_thread::get_id() == guiThread_; }

  void Call(const std::function<void()>& work);
  // Queues the work without waiting for it; it runs in order with the calls.
  // An exception it throws goes up the GUI thread's stack.
  void Post(std::function<void()> work);
  // Returns when every work posted so far has run; on the GUI thread it runs
  // what is queued. A posted work that waits in ServeUntil() is not waited
  // for (its wait may be for the very thread catching up), only the works
  // running or queued above that wait.
  void CatchUp();
  // Posted works queued from HoldPosts() on do not wake the GUI thread until
  // ReleasePosts(); a Call() or CatchUp() meanwhile wakes it for them too.
  void HoldPosts();
  void ReleasePosts();

  // GUI thread: runs the calls queued now; returns how many ran.
  std::size_t ServePending();
  // Calls queued and not yet taken by the GUI thread.
  std::size_t Pending() const;
  // Runs queued calls until `done` returns true; looks at `done` again after
  // each call and after each Wake(). Off the GUI thread it only waits.
  void ServeUntil(const std::function<bool()>& done);
  void Wake();

  // GUI thread: runs `work` now, or, while the GUI thread runs a call of
  // another thread, right after the outermost such call has finished and its
  // caller has been let go.
  void OutsideCalls(std::function<void()> work);

 protected:
  // The GUI thread is going: the callers still waiting get a failure instead
  // of waiting for ever, and the hook is not called again. A carrier calls it
  // before it takes down what its hook wakes.
  void Close();

 private:
  struct Request {
    const std::function<void()>* work = nullptr;
    bool finished = false;
    std::exception_ptr failure;
    std::function<void()> posted;  // the work of a posted request, owned here
  };
  // Takes the next request, if any, and runs it with the lock released.
  bool ServeOne(std::unique_lock<std::mutex>& lock);
  // With the lock held: wakes the GUI thread to serve the queue.
  void WakeForQueue();
  // Runs the works put off until no call runs; with the lock released.
  void RunPutOff();

  const std::thread::id guiThread_;
  std::function<void()> wakeGui_;  // empty once closed
  const std::optional<std::chrono::milliseconds> lookAgain_;
  mutable std::mutex mutex_;
  std::condition_variable arrived_;   // a call was queued, or Wake()
  std::condition_variable finished_;  // a call has run
  std::deque<Request*> queue_;
  std::size_t postedQueued_ = 0;   // posted requests not yet started
  std::size_t postedRunning_ = 0;  // posted requests running now, nested ones included
  // How many of the running posted requests are below the GUI thread's
  // innermost ServeUntil(), waiting with it.
  std::size_t postedBlocked_ = 0;
  bool woken_ = false;
  bool postsHeld_ = false;
  bool wakeOwed_ = false;  // works were posted while held and nothing woke the GUI thread since
  // GUI thread only: how many calls of other threads it is running now (a
  // call's nested event loop may run another), and the works put off until
  // none is.
  int running_ = 0;
  std::deque<std::function<void()>> putOff_;
  bool runningPutOff_ = false;
};

}  // namespace quorbel

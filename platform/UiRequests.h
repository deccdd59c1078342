#pragma once

#include <functional>

namespace quorbel {

// Carries the device thread's requests to the GUI thread: one at a time, in
// order, each one finished before the device thread goes on.
class UiRequests {
 public:
  virtual ~UiRequests() = default;

  // Runs the request on the GUI thread and returns when it has finished.
  // Called on the GUI thread itself, it runs the request at once.
  virtual void Run(const std::function<void()>& request) = 0;

  // Queues the request for the GUI thread and returns at once; posted and
  // waited-for requests run in the order they were asked for. Called on the
  // GUI thread itself, it runs the request at once.
  virtual void Post(std::function<void()> request) = 0;
  // Returns when every request posted so far has run.
  virtual void CatchUp() = 0;

  // While keys leave for the program in front, the GUI thread is not woken:
  // its redrawing would compete with them for the processor and the display
  // server. Requests posted after HoldPosts() wait in order until
  // ReleasePosts(), or until a Run() or CatchUp() that has to reach them.
  virtual void HoldPosts() = 0;
  virtual void ReleasePosts() = 0;

  // For the GUI thread while it waits on the device thread: keeps serving
  // requests until `done` returns true. Wake() makes it look at `done` again.
  virtual void ServeUntil(const std::function<bool()>& done) = 0;
  virtual void Wake() = 0;

  // GUI thread: runs `work` at once, unless the GUI thread is in the middle
  // of another thread's request (a delay, message box or DoEvents inside the
  // request served the event that asks for `work`). Then `work` runs as soon
  // as the outermost such request has finished and its thread has been let
  // go, so `work` may wait for that thread. Works wait their turn in order.
  virtual void OutsideRequests(std::function<void()> work) = 0;
};

// Holds the posts for as long as it lives.
class PostsHeld {
 public:
  explicit PostsHeld(UiRequests& ui) : ui_(ui) { ui_.HoldPosts(); }
  ~PostsHeld() { ui_.ReleasePosts(); }
  PostsHeld(const PostsHeld&) = delete;
  PostsHeld& operator=(const PostsHeld&) = delete;

 private:
  UiRequests& ui_;
};

}  // namespace quorbel

#pragma once

#include <cstddef>
#include <optional>

#include "platform/QueuedUiRequests.h"
#include "platform/RequestQueue.h"

namespace quorbel {

// Requests to the GUI thread without a window system: the thread that
// constructs this object is the GUI thread. Another thread's Run() queues the
// request and blocks until the GUI thread has run it in ServeUntil() or
// ServePending(); an exception the request throws reaches that caller, and
// one a posted request throws goes up the GUI thread from there. With no
// event loop to wake, only a GUI thread waiting in ServeUntil() serves, and
// it sleeps until a request or a Wake() comes, so that a forgotten Wake()
// hangs the test that forgot it.
class MemoryUiRequests : public QueuedUiRequests {
 public:
  // The base keeps a reference to the queue, made right after it.
  MemoryUiRequests() : QueuedUiRequests(queue_), queue_(nullptr, std::nullopt) {}

  // GUI thread only: runs the requests queued at this moment; returns how many.
  std::size_t ServePending() { return queue_.ServePending(); }
  // Requests queued and not yet taken by the GUI thread.
  std::size_t Pending() const { return queue_.Pending(); }
  bool OnGuiThread() const { return queue_.OnGuiThread(); }

 private:
  RequestQueue queue_;
};

}  // namespace quorbel

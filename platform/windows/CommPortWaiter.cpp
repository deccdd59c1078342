#include "platform/windows/CommPortWaiter.h"

#include <algorithm>
#include <system_error>

namespace quorbel {

namespace {

using Steady = std::chrono::steady_clock;

// Milliseconds left until `deadline`, rounded up so that a wait never ends
// before its deadline.
DWORD MillisecondsUntil(Steady::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Steady::now()).count();
  return static_cast<DWORD>(std::clamp<long long>(left, 0, INFINITE - 1));
}

bool HasPending(HANDLE port, bool& gone) {
  DWORD errors = 0;
  COMSTAT status{};
  gone = !::ClearCommError(port, &errors, &status);
  return !gone && status.cbInQue > 0;
}

}  // namespace

CommPortWaiter::CommPortWaiter()
    : wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      portEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (wake_ == nullptr || portEvent_ == nullptr) {
    const auto error = static_cast<int>(::GetLastError());
    if (wake_ != nullptr) ::CloseHandle(wake_);
    if (portEvent_ != nullptr) ::CloseHandle(portEvent_);
    throw std::system_error(error, std::system_category(), "CreateEvent");
  }
}

CommPortWaiter::~CommPortWaiter() {
  Settle();
  ::CloseHandle(wake_);
  ::CloseHandle(portEvent_);
}

CommPortWaiter::Armed CommPortWaiter::Arm(HANDLE port) {
  if (pendingOn_ == port) return Armed::Pending;
  Settle();
  call_ = OVERLAPPED{};
  call_.hEvent = portEvent_;
  ::ResetEvent(portEvent_);
  eventMask_ = 0;
  if (::WaitCommEvent(port, &eventMask_, &call_)) return Armed::Fired;
  if (::GetLastError() != ERROR_IO_PENDING) return Armed::Failed;
  pendingOn_ = port;
  inherited_ = false;
  return Armed::Pending;
}

void CommPortWaiter::Settle() {
  if (pendingOn_ == nullptr) return;
  // Cancelling fails when the port was closed, which ended the wait already.
  ::CancelIoEx(pendingOn_, &call_);
  DWORD ignored = 0;
  ::GetOverlappedResult(pendingOn_, &call_, &ignored, TRUE);
  pendingOn_ = nullptr;
}

PortWait CommPortWaiter::Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) {
  const auto deadline = timeout ? Steady::now() + *timeout : Steady::time_point::max();
  HANDLE watched = port == kNoPortHandle ? nullptr : reinterpret_cast<HANDLE>(port);
  if (watched == nullptr) Settle();
  inherited_ = watched != nullptr && pendingOn_ == watched;
  for (;;) {
    if (watched != nullptr) {
      const Armed armed = Arm(watched);
      if (armed == Armed::Failed) return PortWait::HungUp;
      // A byte that came before the wait began raises no event of its own.
      bool gone = false;
      if (armed == Armed::Fired || HasPending(watched, gone)) return PortWait::Readable;
      if (gone) return PortWait::HungUp;
    }
    const HANDLE events[2] = {wake_, portEvent_};
    const DWORD result = ::WaitForMultipleObjects(watched != nullptr ? 2 : 1, events, FALSE,
                                                  timeout ? MillisecondsUntil(deadline) : INFINITE);
    if (result == WAIT_OBJECT_0) return PortWait::Woken;
    if (result != WAIT_OBJECT_0 + 1) return PortWait::TimedOut;
    DWORD ignored = 0;
    const bool ended = ::GetOverlappedResult(watched, &call_, &ignored, FALSE) != 0;
    const DWORD error = ended ? ERROR_SUCCESS : ::GetLastError();
    if (error == ERROR_IO_INCOMPLETE) {
      // Wine signals the event when the call ends, but this thread writes
      // the call's result only in a later wait of its own: the result is
      // looked for again after a moment. (Resetting the event instead would
      // lose the end: nothing signals it again.)
      if (timeout && Steady::now() >= deadline) return PortWait::TimedOut;
      ::Sleep(1);
      continue;
    }
    pendingOn_ = nullptr;
    if (ended && (eventMask_ & EV_RXCHAR) != 0) {
      // A wait begun before an earlier Wait() returned may tell of bytes the
      // caller has read since. With the queue empty that is no news, and no
      // end of the line either (the device thread takes readable with nothing
      // to read for one): it is waited for afresh.
      bool gone = false;
      if (!inherited_ || HasPending(watched, gone)) return PortWait::Readable;
      if (gone) return PortWait::HungUp;
      continue;
    }
    // An earlier port of the same handle value was closed under the wait;
    // this one is new, and is waited for afresh.
    if (error == ERROR_OPERATION_ABORTED) continue;
    // A removed adapter ends the wait with an error: the device went away.
    if (!ended) return PortWait::HungUp;
  }
}

void CommPortWaiter::Wake() { ::SetEvent(wake_); }

}  // namespace quorbel

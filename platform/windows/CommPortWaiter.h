#pragma once

#include <windows.h>

#include "platform/PortWaiter.h"

namespace quorbel {

// Waits for the port's events with an overlapped WaitCommEvent and for
// Wake() with an event of its own, both at once with the time-out, so a
// waiting device thread costs nothing until a byte arrives or it is asked to
// stop or hold. The port handle is the handle of a WindowsSerialPort. A wait
// for the port's events that a time-out or a wake interrupted stays under way
// and serves the next wait on the same port.
class CommPortWaiter : public PortWaiter {
 public:
  // Throws std::system_error when the events cannot be made.
  CommPortWaiter();
  ~CommPortWaiter() override;
  CommPortWaiter(const CommPortWaiter&) = delete;
  CommPortWaiter& operator=(const CommPortWaiter&) = delete;

  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override;

 private:
  enum class Armed { Pending, Fired, Failed };
  // Starts waiting for the port's events unless a wait is already under way.
  Armed Arm(HANDLE port);
  // Ends the wait under way, if any, and waits until the system lets go of it.
  void Settle();

  HANDLE wake_ = nullptr;       // auto-reset: one Wake() ends one wait
  HANDLE portEvent_ = nullptr;  // signalled when the port's wait ends
  OVERLAPPED call_{};
  DWORD eventMask_ = 0;
  HANDLE pendingOn_ = nullptr;  // the port whose wait is under way
  // The wait under way was begun before this Wait(), so its end may tell of
  // bytes the caller has read since.
  bool inherited_ = false;
};

}  // namespace quorbel

#pragma once

#include <chrono>
#include <optional>

#include "platform/SerialPort.h"

namespace quorbel {

// Why a wait of the device thread ended.
enum class PortWait {
  Readable,  // the port has bytes to read (or will report its end of file)
  HungUp,    // the port's device went away
  Woken,     // another thread called Wake()
  TimedOut,  // the time-out passed with none of the above
};

// Lets the device thread sleep until the surface sends something, another
// thread wants its attention, or a deadline comes, instead of polling the
// port on a fixed beat.
class PortWaiter {
 public:
  virtual ~PortWaiter() = default;

  // Waits on the port's wait handle (kNoPortHandle: on nothing but Wake() and
  // the time-out). Without a time-out it waits as long as it takes. A Wake()
  // that comes while nobody waits ends the next wait at once.
  virtual PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) = 0;
  // Callable from any thread.
  virtual void Wake() = 0;
};

}  // namespace quorbel

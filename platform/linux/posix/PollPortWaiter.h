#pragma once

#include "platform/PortWaiter.h"

namespace quorbel {

// Waits with poll() on the port's descriptor and on an eventfd that Wake()
// signals, so a waiting device thread costs nothing until a byte arrives or
// it is asked to stop or hold.
class PollPortWaiter : public PortWaiter {
 public:
  // Throws std::system_error when the eventfd cannot be made.
  PollPortWaiter();
  ~PollPortWaiter() override;
  PollPortWaiter(const PollPortWaiter&) = delete;
  PollPortWaiter& operator=(const PollPortWaiter&) = delete;

  // The port handle is the descriptor of a LinuxSerialPort.
  PortWait Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) override;
  void Wake() override;

 private:
  int wakeDescriptor_ = -1;
};

}  // namespace quorbel

#pragma once

namespace quorbel {

// How the device thread's passes announce their use of the port, so that the
// GUI thread can have the port to itself (the presence probe) without waiting
// for a pass that is busy elsewhere: waiting on the GUI thread, perhaps on the
// very call that wants the port, or playing a long sequence.
class PortClaim {
 public:
  virtual ~PortClaim() = default;

  // Before the pass reads or drops received bytes; waits while the GUI
  // thread holds the port.
  virtual void Claim() = 0;
  // After; until the next Claim() the pass leaves the port alone.
  virtual void Release() = 0;
};

}  // namespace quorbel

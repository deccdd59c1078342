#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>

#include "device/DeviceContext.h"
#include "device/PortClaim.h"
#include "device/ReceivedBytes.h"
#include "device/SurfaceDecoder.h"

namespace quorbel {

// One pass of the device thread over the surface's messages, and the state
// the thread keeps between passes. A pass puts the panel's wheel indicators
// back when the wheels have been still long enough, then handles at most one
// message: the press, release, jog step or shuttle move is shown on the main
// window and, with another program in front, replayed into it.
class DevicePass {
 public:
  // `claim`, when given, hears of every use of the port.
  explicit DevicePass(const DeviceContext& context, PortClaim* claim = nullptr);

  // Back to the state of a new thread: no jog indicator lit, no jog steps
  // counted, nothing carried over.
  void Reset();

  ReceivedBytes& Received() { return received_; }

  // How long the lit jog indicator has left before it goes dark; nothing
  // when none is lit.
  std::optional<std::chrono::milliseconds> IndicatorTimeLeft();
  // Darkens the wheel indicators once no jog or shuttle message has come for
  // more than 100 ms.
  void ExpireIndicator();
  // Handles the next message when a whole one is pending. A byte that is not
  // a start byte is dropped instead, one per pass.
  void HandleNextMessage();

 private:
  // Whether handling the event may play a sequence (into whatever window
  // turns out to be in front).
  bool MayPlay(const SurfaceEvent& event) const;
  // False for the early ends of a press, which keep the jog step count.
  bool HandlePress(int control, WindowId target);
  void HandleRelease();
  void HandleJogStep(int control, WindowId target);
  void HandleShuttle(const SurfaceEvent& event, WindowId target);

  // The kind and value of the next message, when a whole one is pending.
  std::optional<std::pair<std::uint8_t, std::uint8_t>> TakeMessage();
  void DiscardPending();
  void Select(int commandId);
  bool IsMainWindow(WindowId window) const;

  const DeviceContext context_;
  PortClaim* const claim_;
  ReceivedBytes received_;
  // Command ID of the jog half lit on the panel (1126 or 1127), 0 for none.
  int litJogIndicator_ = 0;
  std::uint32_t lastWheelTime_ = 0;
  // Jog steps since the last replay of a jog control.
  int jogStepCount_ = 0;
  // Flips at every jog replay; every second replay drops the backlog.
  bool discardToggle_ = false;
};

}  // namespace quorbel

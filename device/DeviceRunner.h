#pragma once

#include <cstdint>
#include <span>

namespace quorbel {

// Starts, stops and holds the device thread. All calls come from the GUI
// thread; every wait on the device thread keeps serving its requests to the
// GUI thread, so the two never wait on each other.
class DeviceRunner {
 public:
  virtual ~DeviceRunner() = default;

  // Starts a new thread on the open port, with its private state reset.
  virtual void Start() = 0;
  // Asks the thread to end and waits until it has; nothing when none runs.
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
  // True once the port went away under the running thread (adapter pulled,
  // pseudo-terminal closed): the thread reads no more and waits to be stopped.
  virtual bool HungUp() const = 0;

  // Keeps the thread off the port until LetGo(): it stops at the start of a
  // pass, or before its next use of the port when it is busy elsewhere (a
  // request to the GUI thread, a playing sequence). Returns once the thread
  // cannot read; nothing when no thread runs. Safe inside the thread's own
  // requests to the GUI thread.
  virtual void Hold() = 0;
  virtual void LetGo() = 0;
  // Surface messages read off the port while the thread was held: the thread
  // handles them before anything that arrives later. Forgotten by Start().
  virtual void GiveBack(std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace quorbel

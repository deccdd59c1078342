#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <span>

#include "platform/PortWaiter.h"
#include "platform/SerialPort.h"

namespace quorbel {

// The testkit's stand-in for the system's serial lines, the same on every
// system: an open line is a handle; the bytes the surface sends wait on it in
// order until the program reads them; the surface can hang up its end. One
// lock and one condition serve every line and every waiter, as one kernel
// serves every descriptor, so a waiter can sleep on a line and its own wake-up
// at once and never miss either.
class MemoryLines {
 public:
  static MemoryLines& Instance();

  PortHandle Open();
  // The handle names no line afterwards; a waiter watching it sees a hang-up.
  void Close(PortHandle line);

  // The surface's side. False when the line is closed or its end hung up.
  bool Send(PortHandle line, std::span<const std::uint8_t> bytes);
  void HangUp(PortHandle line);
  bool HungUp(PortHandle line) const;

  // The program's side; a closed line has nothing.
  std::size_t Pending(PortHandle line) const;
  // Takes at most `count` bytes into `buffer` (none when it is null).
  std::size_t Receive(PortHandle line, std::uint8_t* buffer, std::size_t count);

  // A waiter's look at a line and at its own `woken` flag, which only Wake()
  // sets and only this resets, both under the lines' lock. A wake-up comes
  // first; a line with bytes or with its end hung up is readable (the end of
  // the file is there to read); a handle that names no line has hung up.
  // With `block` it sleeps until one of them is so; without, nothing is
  // std::nullopt.
  std::optional<PortWait> Watch(PortHandle line, bool& woken, bool block);
  void Wake(bool& woken);

 private:
  struct Line {
    std::deque<std::uint8_t> bytes;
    bool hungUp = false;
  };
  std::optional<PortWait> LookLocked(PortHandle line, bool& woken) const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::map<PortHandle, Line> lines_;
  PortHandle next_ = 1;
};

}  // namespace quorbel

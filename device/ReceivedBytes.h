#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/SerialPort.h"

namespace quorbel {

// The bytes from the surface that the device thread has not handled yet: a
// carry of at most two bytes of a message that is not complete, the messages
// the presence probe read while it held the thread, then the port's own input
// queue. Moving an incomplete message off the port lets
// the thread wait on the port's descriptor, which would otherwise stay
// readable and wake it over and over for bytes it may not read yet.
class ReceivedBytes {
 public:
  explicit ReceivedBytes(SerialPort& port) : port_(port) {}

  // Forgets the carry and the given-back bytes, as a new thread does.
  void Clear();
  // Bytes someone else read off the port while this reader was held (the
  // presence probe): they come after the carry and before the port's queue.
  void GiveBack(std::span<const std::uint8_t> bytes);
  std::size_t Pending();
  // The next pending byte; nothing when none could be read.
  std::optional<std::uint8_t> Take();
  // Drops exactly what is pending now, the carry included.
  void DiscardPending();
  // True when a whole message is pending. Otherwise moves what the port
  // holds into the carry, so that the port is empty for the wait that follows.
  bool WholeMessagePending();

 private:
  static constexpr std::size_t kMessageSize = 3;

  SerialPort& port_;
  std::array<std::uint8_t, kMessageSize - 1> carry_{};
  std::size_t carried_ = 0;
  std::vector<std::uint8_t> givenBack_;
  std::size_t givenBackTaken_ = 0;  // how many of givenBack_ are taken already
};

}  // namespace quorbel

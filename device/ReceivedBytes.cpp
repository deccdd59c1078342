#include "device/ReceivedBytes.h"

namespace quorbel {

std::size_t ReceivedBytes::Pending() { return carried_ + port_.BytesPending(); }

std::optional<std::uint8_t> ReceivedBytes::Take() {
  if (carried_ > 0) {
    const std::uint8_t first = carry_[0];
    carry_[0] = carry_[1];
    --carried_;
    return first;
  }
  std::uint8_t byte = 0;
  if (port_.Read(&byte, 1) != 1) return std::nullopt;
  return byte;
}

void ReceivedBytes::DiscardPending() {
  carried_ = 0;
  port_.DiscardPending();
}

bool ReceivedBytes::WholeMessagePending() {
  const std::size_t inPort = port_.BytesPending();
  if (carried_ + inPort >= kMessageSize) return true;
  carried_ += port_.Read(carry_.data() + carried_, inPort);
  return false;
}

}  // namespace quorbel

#include "device/ReceivedBytes.h"

namespace quorbel {

void ReceivedBytes::Clear() {
  carried_ = 0;
  givenBack_.clear();
  givenBackTaken_ = 0;
}

void ReceivedBytes::GiveBack(std::span<const std::uint8_t> bytes) {
  givenBack_.insert(givenBack_.end(), bytes.begin(), bytes.end());
}

std::size_t ReceivedBytes::Pending() {
  return carried_ + (givenBack_.size() - givenBackTaken_) + port_.BytesPending();
}

std::optional<std::uint8_t> ReceivedBytes::Take() {
  if (carried_ > 0) {
    const std::uint8_t first = carry_[0];
    carry_[0] = carry_[1];
    --carried_;
    return first;
  }
  if (givenBackTaken_ < givenBack_.size()) {
    const std::uint8_t next = givenBack_[givenBackTaken_++];
    if (givenBackTaken_ == givenBack_.size()) {
      givenBack_.clear();
      givenBackTaken_ = 0;
    }
    return next;
  }
  std::uint8_t byte = 0;
  if (port_.Read(&byte, 1) != 1) return std::nullopt;
  return byte;
}

void ReceivedBytes::DiscardPending() {
  Clear();
  port_.DiscardPending();
}

bool ReceivedBytes::WholeMessagePending() {
  const std::size_t inPort = port_.BytesPending();
  const std::size_t taken = carried_ + (givenBack_.size() - givenBackTaken_);
  if (taken + inPort >= kMessageSize) return true;
  // Less than a message in all: the given-back bytes fit into the carry,
  // ahead of what the port holds.
  while (givenBackTaken_ < givenBack_.size()) carry_[carried_++] = givenBack_[givenBackTaken_++];
  givenBack_.clear();
  givenBackTaken_ = 0;
  carried_ += port_.Read(carry_.data() + carried_, inPort);
  return false;
}

}  // namespace quorbel

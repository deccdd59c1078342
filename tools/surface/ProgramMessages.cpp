#include "tools/surface/ProgramMessages.h"

#include <algorithm>
#include <array>

namespace quorbel::surfacetool {

namespace {

constexpr std::uint8_t kStart = 0xBF;
constexpr std::uint8_t kExclusiveStart = 0xF0;
constexpr std::uint8_t kExclusiveEnd = 0xF7;
// Longer than anything the program sends; a runaway message is cut here.
constexpr std::size_t kLongestExclusive = 64;

constexpr std::array<std::uint8_t, 5> kIdentityRequest{0xF0, 0x7D, 0x25, 0x03, 0xF7};
constexpr std::array<std::uint8_t, 9> kConfiguration{0xF0, 0x7D, 0x25, 0x02, 0x01,
                                                     0x01, 0x00, 0x00, 0xF7};

bool Equals(std::span<const std::uint8_t> message, std::span<const std::uint8_t> pattern) {
  return std::ranges::equal(message, pattern);
}

}  // namespace

ProgramMessage Classify(std::span<const std::uint8_t> message) {
  if (Equals(message, kIdentityRequest)) return ProgramMessage::IdentityRequest;
  if (Equals(message, kConfiguration)) return ProgramMessage::Configuration;
  if (message.size() != 3 || message[0] != kStart) return ProgramMessage::Unknown;
  const std::uint8_t value = message[2];
  switch (message[1]) {
    case 0x12:
      return ProgramMessage::LampOn;
    case 0x13:
      return ProgramMessage::LampOff;
    case 0x14:
      return ProgramMessage::DisplayPosition;
    case 0x15:
      return ProgramMessage::DisplayCharacter;
    case 0x67:
      return value == 0x00 ? ProgramMessage::ClosingFirst : ProgramMessage::Unknown;
    case 0x68:
      return value == 0x7D ? ProgramMessage::ClosingSecond : ProgramMessage::Unknown;
    default:
      return ProgramMessage::Unknown;
  }
}

std::size_t ProgramMessageReader::ExpectedLength() const {
  if (partial_.empty()) return 0;
  if (partial_[0] == kStart) return 3;
  if (partial_[0] == kExclusiveStart) return kLongestExclusive;
  return 1;
}

std::vector<std::vector<std::uint8_t>> ProgramMessageReader::Feed(
    std::span<const std::uint8_t> bytes) {
  std::vector<std::vector<std::uint8_t>> messages;
  for (std::uint8_t b : bytes) {
    const bool inExclusive = !partial_.empty() && partial_[0] == kExclusiveStart;
    // A status byte ends an unfinished exclusive message, which then stands
    // alone, and starts the next message.
    if (inExclusive && b >= 0x80 && b != kExclusiveEnd) {
      messages.push_back(std::move(partial_));
      partial_.clear();
    }
    partial_.push_back(b);
    const bool complete = partial_.size() >= ExpectedLength() ||
                          (partial_[0] == kExclusiveStart && b == kExclusiveEnd);
    if (complete) {
      messages.push_back(std::move(partial_));
      partial_.clear();
    }
  }
  return messages;
}

}  // namespace quorbel::surfacetool

#include "tools/surface/ProgramMessages.h"

#include <algorithm>
#include <array>

#include "tools/surface/SurfaceBytes.h"

namespace quorbel::surfacetool {

namespace {

// Longer than anything the program sends; a runaway message is cut here.
constexpr std::size_t kLongestExclusive = 64;

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
    case kLampOn:
      return ProgramMessage::LampOn;
    case kLampOff:
      return ProgramMessage::LampOff;
    case kDisplayPosition:
      return ProgramMessage::DisplayPosition;
    case kDisplayCharacter:
      return ProgramMessage::DisplayCharacter;
    case kClosingFirst:
      return value == kClosingFirstValue ? ProgramMessage::ClosingFirst : ProgramMessage::Unknown;
    case kClosingSecond:
      return value == kClosingSecondValue ? ProgramMessage::ClosingSecond : ProgramMessage::Unknown;
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

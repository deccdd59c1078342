#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorbel::surfacetool {

// What the program sends to the surface, one message at a time.
enum class ProgramMessage {
  LampOn,            // BF 12 n
  LampOff,           // BF 13 n
  DisplayPosition,   // BF 14 p
  DisplayCharacter,  // BF 15 c
  ClosingFirst,      // BF 67 00
  ClosingSecond,     // BF 68 7D
  IdentityRequest,   // F0 7D 25 03 F7
  Configuration,     // F0 7D 25 02 01 01 00 00 F7
  Unknown,           // anything else, kept only for the counters
};

ProgramMessage Classify(std::span<const std::uint8_t> message);

// Cuts the byte stream from the program into messages: three bytes from each
// 0xBF, system-exclusive messages from 0xF0 up to 0xF7 (or up to the next
// status byte, or a sane length), and every other byte on its own. Messages
// may arrive split over several reads.
class ProgramMessageReader {
 public:
  // The messages completed by `bytes`, in order.
  std::vector<std::vector<std::uint8_t>> Feed(std::span<const std::uint8_t> bytes);

 private:
  std::size_t ExpectedLength() const;

  std::vector<std::uint8_t> partial_;
};

}  // namespace quorbel::surfacetool

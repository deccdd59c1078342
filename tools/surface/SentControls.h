#pragma once

#include <bitset>
#include <cstdint>
#include <span>

namespace quorbel::surfacetool {

// What the surface has said about its own controls: which keys are held
// down, where the shuttle ring stands and how the jog wheel last turned.
// Taken from the bytes it sent, whoever asked for them (a command, a click).
class SentControls {
 public:
  static constexpr int kControlCount = 128;

  // Bytes that went to the program; whole BF messages count, other bytes
  // (system-exclusive answers, stray bytes of a raw command) are passed over.
  void Sent(std::span<const std::uint8_t> bytes);

  bool Held(int control) const;
  // -64..63, 0 at the centre.
  int ShuttlePosition() const { return shuttle_; }
  // Jog steps sent so far, and whether the last was of the wheel's left half.
  int JogSteps() const { return jogSteps_; }
  bool LastJogLeft() const { return lastJogLeft_; }

 private:
  void Take(std::uint8_t kind, std::uint8_t value);

  std::bitset<kControlCount> held_;
  int shuttle_ = 0;
  int jogSteps_ = 0;
  bool lastJogLeft_ = false;
};

}  // namespace quorbel::surfacetool

#include "tools/surface/SentControls.h"

#include "tools/surface/SurfaceBytes.h"

namespace quorbel::surfacetool {

void SentControls::Sent(std::span<const std::uint8_t> bytes) {
  std::size_t at = 0;
  while (at + 3 <= bytes.size()) {
    if (bytes[at] != kStart) {
      ++at;
      continue;
    }
    Take(bytes[at + 1], bytes[at + 2]);
    at += 3;
  }
}

void SentControls::Take(std::uint8_t kind, std::uint8_t value) {
  switch (kind) {
    case kPress:
    case kRelease:
      if (value < kControlCount) held_[value] = kind == kPress;
      break;
    case kJogStep:
      ++jogSteps_;
      lastJogLeft_ = (value & kDirectionBit) != 0;
      break;
    case kShuttle: {
      // Seven-bit two's complement: 7F is -1, 40 is -64.
      const int magnitude = value & 0x3F;
      shuttle_ = (value & kDirectionBit) != 0 ? magnitude - 64 : magnitude;
      break;
    }
    default:
      break;
  }
}

bool SentControls::Held(int control) const {
  return control >= 0 && control < kControlCount && held_[static_cast<std::size_t>(control)];
}

}  // namespace quorbel::surfacetool

#include "device/SurfaceDecoder.h"

namespace quorbel {

namespace {

constexpr std::uint8_t kDirectionBit = 0x40;
constexpr int kForwardControlBase = 80;
constexpr int kReverseControlBase = 60;
// Forward positions above this would play a control beyond 127.
constexpr int kLastForwardPosition = 127 - kForwardControlBase;

}  // namespace

int ShuttlePositionOf(std::uint8_t value) {
  const int m = value & ~kDirectionBit;
  return (value & kDirectionBit) == 0 ? m : -(64 - m);
}

int ShuttleControl(int position) {
  if (position == 0) return kShuttleCentreControl;
  return position > 0 ? kForwardControlBase + position : kReverseControlBase - position;
}

SurfaceEvent DecodeMessage(std::uint8_t kind, std::uint8_t value) {
  switch (kind) {
    case kPressKind:
      // A working surface never presses a control beyond 127. Such a press
      // is consumed as an ignored message, so it reaches no control table
      // but still resets the jog step count like any message that is not a
      // jog step.
      if (value >= 0x80) return {};
      return {SurfaceEventKind::Press, value, 0};
    case kReleaseKind:
      // The program does not use the released control; a value beyond 127
      // keeps only its low seven bits so that the release still clears the
      // wheel state.
      return {SurfaceEventKind::Release, value & 0x7F, 0};
    case kJogStepKind:
      return {SurfaceEventKind::JogStep,
              (value & kDirectionBit) != 0 ? kJogForwardControl : kJogBackwardControl, 0};
    case kShuttlePositionKind: {
      const int position = ShuttlePositionOf(value);
      // Forward positions above 47 (48..63, and every value with bit 7 set)
      // would play controls beyond 127; they are consumed as an ignored
      // message, for the same reason as a bad press.
      if (position > kLastForwardPosition) return {};
      return {SurfaceEventKind::ShuttlePosition, ShuttleControl(position), position};
    }
    default:
      return {};
  }
}

std::optional<SurfaceEvent> SurfaceDecoder::Feed(std::uint8_t byte) {
  switch (stage_) {
    case Stage::AwaitStart:
      if (byte == kSurfaceStartByte) stage_ = Stage::AwaitKind;
      return std::nullopt;
    case Stage::AwaitKind:
      kind_ = byte;
      stage_ = Stage::AwaitValue;
      return std::nullopt;
    case Stage::AwaitValue:
      stage_ = Stage::AwaitStart;
      return DecodeMessage(kind_, byte);
  }
  return std::nullopt;
}

}  // namespace quorbel

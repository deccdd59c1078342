#pragma once

#include <cstdint>
#include <optional>

#include "device/SurfaceMessages.h"

namespace quorbel {

// Controls the wheels play.
inline constexpr int kShuttleCentreControl = 58;  // "Stop"
inline constexpr int kJogForwardControl = 126;    // bit 6 of the value set
inline constexpr int kJogBackwardControl = 127;   // bit 6 clear

enum class SurfaceEventKind {
  Press,
  Release,
  JogStep,
  ShuttlePosition,
  // Any other message: the device thread acts on nothing but the reset of its
  // jog step count that follows every message that is not a jog step.
  Ignored,
};

struct SurfaceEvent {
  SurfaceEventKind kind = SurfaceEventKind::Ignored;
  // Always a control index 0..127; 0 for an ignored message.
  int control = 0;
  // The decoded shuttle position, -64..47; 0 for every other kind.
  int position = 0;

  friend bool operator==(const SurfaceEvent&, const SurfaceEvent&) = default;
};

// The shuttle position a value byte stands for: 7-bit two's complement, so
// 0x01 is +1, 0x7F is -1 and 0x40 is -64. With m the value without bit 6,
// it is m when bit 6 is clear and -(64 - m) when it is set; a value with bit
// 7 set, which no working surface sends, thus gives a position of 64 or more.
int ShuttlePositionOf(std::uint8_t value);

// The control a shuttle position plays: 58 at the centre, 80 + p forward,
// 60 + k at reverse position -k. Positions -64..47 give 0..127.
int ShuttleControl(int position);

// Turns the kind and value of one complete message into its event.
SurfaceEvent DecodeMessage(std::uint8_t kind, std::uint8_t value);

// Splits the byte stream from the surface into messages. Bytes that arrive
// where a message should start and are not the start byte are dropped; after
// the start byte the next two bytes are the kind and the value, whatever they
// are (a start byte included).
class SurfaceDecoder {
 public:
  // Takes one received byte; returns the event when it completes a message.
  std::optional<SurfaceEvent> Feed(std::uint8_t byte);

 private:
  enum class Stage { AwaitStart, AwaitKind, AwaitValue };

  Stage stage_ = Stage::AwaitStart;
  std::uint8_t kind_ = 0;
};

}  // namespace quorbel

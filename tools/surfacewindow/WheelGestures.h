#pragma once

#include <optional>

namespace quorbel::surfacewindow {

// Whole notches from a mouse wheel's angle deltas: 120 to a notch, and finer
// deltas (from touchpads) gathered until they make one.
class WheelNotches {
 public:
  static constexpr int kPerNotch = 120;
  // The notches completed by `delta`; positive away from the user.
  int Take(int delta);

 private:
  int gathered_ = 0;
};

// The shuttle ring: held off its centre by the hand, by at most kLimit
// positions either way, and springing back to the centre when let go. Each
// movement returns the new position when it changed, nothing otherwise.
class ShuttleRing {
 public:
  static constexpr int kLimit = 12;
  // How far the pointer moves for one position.
  static constexpr int kPixelsPerPosition = 5;

  // Takes hold of the ring, already turned to `position`.
  std::optional<int> Grab(int position);
  // The pointer has moved `pixels` (positive to the right) since the grab.
  std::optional<int> Drag(int pixels);
  // Turned by wheel notches, without a grab.
  std::optional<int> Turn(int notches);
  // Let go: back to the centre.
  std::optional<int> Release();

  int Position() const { return position_; }
  bool Held() const { return held_; }

 private:
  std::optional<int> MoveTo(int position);

  int position_ = 0;
  int grabbedAt_ = 0;
  bool held_ = false;
};

// The jog wheel turned by dragging round its centre: one step for every
// kDegreesPerStep of turn.
class JogDial {
 public:
  static constexpr double kDegreesPerStep = 15;

  // `degrees` is the pointer's angle round the centre, counter-clockwise.
  void Grab(double degrees);
  // Steps made since the last call; positive clockwise.
  int Drag(double degrees);
  void Release() { held_ = false; }
  bool Held() const { return held_; }

 private:
  double last_ = 0;
  double turned_ = 0;
  bool held_ = false;
};

}  // namespace quorbel::surfacewindow

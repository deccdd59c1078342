#include "tools/surfacewindow/WheelGestures.h"

#include <algorithm>
#include <cmath>

namespace quorbel::surfacewindow {

int WheelNotches::Take(int delta) {
  gathered_ += delta;
  const int notches = gathered_ / kPerNotch;
  gathered_ -= notches * kPerNotch;
  return notches;
}

std::optional<int> ShuttleRing::MoveTo(int position) {
  position = std::clamp(position, -kLimit, kLimit);
  if (position == position_) return std::nullopt;
  position_ = position;
  return position_;
}

std::optional<int> ShuttleRing::Grab(int position) {
  held_ = true;
  grabbedAt_ = std::clamp(position, -kLimit, kLimit);
  return MoveTo(grabbedAt_);
}

std::optional<int> ShuttleRing::Drag(int pixels) {
  if (!held_) return std::nullopt;
  const auto steps =
      static_cast<int>(std::lround(static_cast<double>(pixels) / kPixelsPerPosition));
  return MoveTo(grabbedAt_ + steps);
}

std::optional<int> ShuttleRing::Turn(int notches) { return MoveTo(position_ + notches); }

std::optional<int> ShuttleRing::Release() {
  held_ = false;
  return MoveTo(0);
}

void JogDial::Grab(double degrees) {
  held_ = true;
  last_ = degrees;
  turned_ = 0;
}

int JogDial::Drag(double degrees) {
  if (!held_) return 0;
  // The shorter way round from the last angle, so crossing ±180 is no jump.
  const double change = std::remainder(degrees - last_, 360.0);
  last_ = degrees;
  turned_ -= change;  // counter-clockwise angles; steps count clockwise
  const auto steps = static_cast<int>(turned_ / kDegreesPerStep);
  turned_ -= steps * kDegreesPerStep;
  return steps;
}

}  // namespace quorbel::surfacewindow

#pragma once

#include <chrono>
#include <cstdint>

namespace quorbel {

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since some fixed moment; wraps around like any 32-bit tick.
  virtual std::uint32_t TickMs() = 0;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace quorbel

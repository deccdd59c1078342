#pragma once

#include <chrono>
#include <cstdint>

#include "platform/Clock.h"

namespace quorbel {

// The system's millisecond tick, which wraps after 49.7 days like every
// 32-bit tick, and sleeping.
class WindowsClock : public Clock {
 public:
  std::uint32_t TickMs() override;
  void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace quorbel

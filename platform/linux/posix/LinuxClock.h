#pragma once

#include <chrono>
#include <cstdint>

#include "platform/Clock.h"

namespace quorbel {

// The monotonic clock: unaffected by changes of the wall-clock time.
class LinuxClock : public Clock {
 public:
  std::uint32_t TickMs() override;
  void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace quorbel

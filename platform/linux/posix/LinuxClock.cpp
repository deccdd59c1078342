#include "platform/linux/posix/LinuxClock.h"

#include <time.h>

#include <cerrno>

namespace quorbel {

std::uint32_t LinuxClock::TickMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000U;
  // The tick wraps around after 49.7 days, as a 32-bit millisecond tick does.
  return static_cast<std::uint32_t>(ms);
}

void LinuxClock::Sleep(std::chrono::milliseconds duration) {
  if (duration.count() <= 0) return;
  timespec left{static_cast<time_t>(duration.count() / 1000),
                static_cast<long>(duration.count() % 1000) * 1'000'000L};
  // Sleeps the whole time even when a signal interrupts.
  while (::clock_nanosleep(CLOCK_MONOTONIC, 0, &left, &left) == EINTR) {
  }
}

}  // namespace quorbel

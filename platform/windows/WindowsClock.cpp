#include "platform/windows/WindowsClock.h"

#include <windows.h>

namespace quorbel {

std::uint32_t WindowsClock::TickMs() { return static_cast<std::uint32_t>(::GetTickCount64()); }

void WindowsClock::Sleep(std::chrono::milliseconds duration) {
  if (duration.count() <= 0) return;
  // Sleep takes at most 49.7 days at once; longer sleeps go in parts.
  auto left = duration.count();
  while (left > 0) {
    const auto part = left < static_cast<long long>(INFINITE - 1) ? left : INFINITE - 1;
    ::Sleep(static_cast<DWORD>(part));
    left -= part;
  }
}

}  // namespace quorbel

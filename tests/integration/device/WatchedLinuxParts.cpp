#include "tests/integration/device/WatchedLinuxParts.h"

#include <algorithm>

namespace quorbel::testing {

void WatchedClock::Sleep(std::chrono::milliseconds duration) {
  {
    std::lock_guard lock(mutex_);
    sleeps_.push_back(duration);
  }
  inner_.Sleep(duration);
}

int WatchedClock::SleepsOf(std::chrono::milliseconds duration) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count(sleeps_.begin(), sleeps_.end(), duration));
}

bool WatchedPort::Write(std::span<const std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    writes_.push_back({{bytes.begin(), bytes.end()}, std::chrono::steady_clock::now()});
  }
  return inner_.Write(bytes);
}

std::size_t WatchedPort::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t got = inner_.Read(buffer, count);
  bytesRead_ += got;
  return got;
}

std::vector<WatchedPort::Written> WatchedPort::Writes() const {
  std::lock_guard lock(mutex_);
  return writes_;
}

}  // namespace quorbel::testing

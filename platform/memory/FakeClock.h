#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/Clock.h"

namespace quorbel {

// A clock that moves only when told to, or when something sleeps on it.
class FakeClock : public Clock {
 public:
  std::uint32_t TickMs() override { return now_ms_.load(); }
  void Sleep(std::chrono::milliseconds duration) override {
    now_ms_ += static_cast<std::uint32_t>(duration.count());
    slept_ms_ += duration.count();
  }

  void Advance(std::uint32_t ms) { now_ms_ += ms; }
  void Set(std::uint32_t ms) { now_ms_ = ms; }
  long long SleptMs() const { return slept_ms_.load(); }

 private:
  std::atomic<std::uint32_t> now_ms_{0};
  std::atomic<long long> slept_ms_{0};
};

}  // namespace quorbel

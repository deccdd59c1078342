#pragma once

// The surface in the latency benches: the master side of a pseudo-terminal
// that the program under measure opens as its port.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace quorbel::testing {

inline constexpr std::array<std::uint8_t, 5> kIdentityRequest{0xF0, 0x7D, 0x25, 0x03, 0xF7};
inline constexpr std::array<std::uint8_t, 11> kIdentityReply{0xF0, 0x7D, 0x25, 0x03, 0x01, 0x01,
                                                             0x01, 0x00, 0x00, 0x00, 0xF7};

// A surface on the master side of a pseudo-terminal: it answers the
// program's identity requests and swallows its lamp and display messages.
class SurfaceTerminal {
 public:
  SurfaceTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) std::abort();
    path_ = ::ptsname(master_);
    termios settings{};
    ::tcgetattr(master_, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(master_, TCSANOW, &settings);
    listener_ = std::thread([this] { Listen(); });
  }
  ~SurfaceTerminal() {
    stop_ = true;
    listener_.join();
    ::close(master_);
  }
  SurfaceTerminal(const SurfaceTerminal&) = delete;
  SurfaceTerminal& operator=(const SurfaceTerminal&) = delete;

  const std::string& path() const { return path_; }
  void Send(std::span<const std::uint8_t> bytes) {
    const std::lock_guard lock(writing_);
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      std::abort();
    }
  }

 private:
  void Listen() {
    std::vector<std::uint8_t> heard;
    std::array<std::uint8_t, 512> chunk{};
    while (!stop_) {
      pollfd ready{master_, POLLIN, 0};
      if (::poll(&ready, 1, 20) <= 0 || (ready.revents & POLLIN) == 0) continue;
      const ssize_t got = ::read(master_, chunk.data(), chunk.size());
      if (got <= 0) continue;
      heard.insert(heard.end(), chunk.begin(), chunk.begin() + got);
      auto found =
          std::search(heard.begin(), heard.end(), kIdentityRequest.begin(), kIdentityRequest.end());
      if (found != heard.end()) {
        Send(kIdentityReply);
        heard.erase(heard.begin(), found + kIdentityRequest.size());
      } else if (heard.size() > kIdentityRequest.size()) {
        heard.erase(heard.begin(), heard.end() - kIdentityRequest.size());
      }
    }
  }

  int master_ = -1;
  std::string path_;
  std::mutex writing_;
  std::atomic<bool> stop_{false};
  std::thread listener_;
};

}  // namespace quorbel::testing

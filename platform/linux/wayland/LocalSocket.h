#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel::wayland {

// A connection to a compositor's IPC socket (a Unix stream socket). Every
// read and write gives up after the time-out, so that a compositor that hangs
// cannot hold a press for long.
class LocalSocket {
 public:
  static constexpr std::chrono::milliseconds kTimeout{500};

  // Nullopt when nothing listens at the path.
  static std::optional<LocalSocket> Connect(const std::string& path);
  LocalSocket(LocalSocket&& other) noexcept;
  LocalSocket& operator=(LocalSocket&& other) noexcept;
  LocalSocket(const LocalSocket&) = delete;
  LocalSocket& operator=(const LocalSocket&) = delete;
  ~LocalSocket();

  bool Write(std::string_view bytes);
  // Exactly `count` bytes; nullopt when the peer closes or times out first.
  std::optional<std::string> Read(std::size_t count);
  // Everything up to the peer's end of the stream.
  std::optional<std::string> ReadToEnd();

 private:
  explicit LocalSocket(int fd) : fd_(fd) {}
  // Waits until the socket is readable; false on time-out or error.
  bool WaitReadable();

  int fd_ = -1;
};

}  // namespace quorbel::wayland

#pragma once

// The port side of the floor programs: the terminal opened raw, and a wait
// for the next press, with nothing else done per byte.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorbel::floor {

// The terminal in raw mode; -1 when it cannot be opened.
inline int OpenRawTerminal(const char* path) {
  const int port = ::open(path, O_RDWR | O_NOCTTY);
  if (port < 0) return -1;
  termios settings{};
  ::tcgetattr(port, &settings);
  ::cfmakeraw(&settings);
  ::tcsetattr(port, TCSANOW, &settings);
  return port;
}

// Reads exactly `count` bytes, waiting on the terminal for each; false when it went away.
inline bool ReadWhole(int port, std::uint8_t* bytes, std::size_t count) {
  std::size_t got = 0;
  while (got < count) {
    pollfd ready{port, POLLIN, 0};
    if (::poll(&ready, 1, -1) < 0) return false;
    const ssize_t read = ::read(port, bytes + got, count - got);
    if (read <= 0) return false;
    got += static_cast<std::size_t>(read);
  }
  return true;
}

// Waits for the next press message; false when the terminal went away.
inline bool NextPress(int port) {
  constexpr std::uint8_t kStartByte = 0xBF;
  constexpr std::uint8_t kPressKind = 0x12;
  std::array<std::uint8_t, 3> message{};
  while (ReadWhole(port, message.data(), message.size())) {
    if (message[0] == kStartByte && message[1] == kPressKind) return true;
  }
  return false;
}

}  // namespace quorbel::floor

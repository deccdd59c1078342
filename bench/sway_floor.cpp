// The least any driver of the surface must do for one press on a wlroots
// compositor: wait on the port with poll(), read the three bytes of a press,
// send one key down and up through the virtual keyboard. The sway chain bench
// measures the program beside this, as bench_chain_floor is measured on X11.
//
//   bench_sway_floor <terminal path> <sway socket>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>

#include "platform/linux/wayland/SwayWindows.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "platform/linux/wayland/WlrootsInput.h"

namespace {

constexpr std::uint8_t kStartByte = 0xBF;
constexpr std::uint8_t kPressKind = 0x12;

// Reads exactly `count` bytes, waiting on the terminal for each; false when it went away.
bool ReadWhole(int port, std::uint8_t* bytes, std::size_t count) {
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_sway_floor <terminal> <sway socket>\n");
    return 2;
  }
  const int port = ::open(argv[1], O_RDWR | O_NOCTTY);
  if (port < 0) return 1;
  termios settings{};
  ::tcgetattr(port, &settings);
  ::cfmakeraw(&settings);
  ::tcsetattr(port, TCSANOW, &settings);
  // The virtual keyboard asks the desktop nothing for a key; the desktop is
  // there because the input is made for one.
  quorbel::WaylandDesktop desktop(quorbel::wayland::SwayWindows::ForSocket(argv[2]),
                                  [] { return quorbel::WindowId{0}; });
  const auto input = quorbel::WlrootsInput::Connect(desktop);
  if (!input) return 1;
  std::puts("ready");
  std::fflush(stdout);

  std::array<std::uint8_t, 3> message{};
  while (ReadWhole(port, message.data(), message.size())) {
    if (message[0] != kStartByte || message[1] != kPressKind) continue;
    input->KeyDown('A');
    input->KeyUp('A');
  }
  ::close(port);
  return 0;
}

// The least any driver of the surface must do for one press: wait on the port
// with poll(), read the three bytes of a press, send one key through XTest and
// flush. The chain latency bench measures the program beside this.
//
//   bench_chain_floor <terminal path> <display>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>

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
    std::fprintf(stderr, "usage: bench_chain_floor <terminal> <display>\n");
    return 2;
  }
  const int port = ::open(argv[1], O_RDWR | O_NOCTTY);
  Display* display = XOpenDisplay(argv[2]);
  if (port < 0 || display == nullptr) return 1;
  termios settings{};
  ::tcgetattr(port, &settings);
  ::cfmakeraw(&settings);
  ::tcsetattr(port, TCSANOW, &settings);
  const unsigned int key = XKeysymToKeycode(display, XK_a);
  std::puts("ready");
  std::fflush(stdout);

  std::array<std::uint8_t, 3> message{};
  while (ReadWhole(port, message.data(), message.size())) {
    if (message[0] != kStartByte || message[1] != kPressKind) continue;
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
  }
  XCloseDisplay(display);
  ::close(port);
  return 0;
}

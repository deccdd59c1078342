// The least any driver of the surface must do for one press on a wlroots
// compositor: wait on the port with poll(), read the three bytes of a press,
// send one key down and up through the virtual keyboard. The sway chain bench
// measures the program beside this, as bench_chain_floor is measured on X11.
//
//   bench_sway_floor <terminal path> <sway socket>
#include <unistd.h>

#include <cstdio>

#include "FloorPort.h"
#include "platform/linux/wayland/SwayWindows.h"
#include "platform/linux/wayland/WaylandDesktop.h"
#include "platform/linux/wayland/WlrootsInput.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_sway_floor <terminal> <sway socket>\n");
    return 2;
  }
  const int port = quorbel::floor::OpenRawTerminal(argv[1]);
  if (port < 0) return 1;
  // The virtual keyboard asks the desktop nothing for a key; the desktop is
  // there because the input is made for one.
  quorbel::WaylandDesktop desktop(quorbel::wayland::SwayWindows::ForSocket(argv[2]),
                                  [] { return quorbel::WindowId{0}; });
  const auto input = quorbel::WlrootsInput::Connect(desktop);
  if (!input) return 1;
  std::puts("ready");
  std::fflush(stdout);

  while (quorbel::floor::NextPress(port)) {
    input->KeyDown('A');
    input->KeyUp('A');
  }
  ::close(port);
  return 0;
}

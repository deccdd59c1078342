// The least any driver of the surface must do for one press: wait on the port
// with poll(), read the three bytes of a press, send one key through XTest and
// flush. The chain latency bench measures the program beside this.
//
//   bench_chain_floor <terminal path> <display>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>

#include "FloorPort.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_chain_floor <terminal> <display>\n");
    return 2;
  }
  const int port = quorbel::floor::OpenRawTerminal(argv[1]);
  Display* display = XOpenDisplay(argv[2]);
  if (port < 0 || display == nullptr) return 1;
  const unsigned int key = XKeysymToKeycode(display, XK_a);
  std::puts("ready");
  std::fflush(stdout);

  while (quorbel::floor::NextPress(port)) {
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
  }
  XCloseDisplay(display);
  ::close(port);
  return 0;
}

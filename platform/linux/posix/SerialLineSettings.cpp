#include "platform/linux/posix/SerialLineSettings.h"

#include <termios.h>

namespace quorbel {

namespace {

bool SpeedCode(int baudRate, speed_t& code) {
  switch (baudRate) {
    case 38400:
      code = B38400;
      return true;
    case 19200:
      code = B19200;
      return true;
    case 9600:
      code = B9600;
      return true;
    case 4800:
      code = B4800;
      return true;
    case 2400:
      code = B2400;
      return true;
    default:
      return false;
  }
}

// Reads the current settings, changes them and writes them back; a refusal
// is ignored, as the line then runs with what the driver accepted.
template <typename Edit>
void Change(int fd, Edit change) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) return;
  change(settings);
  ::tcsetattr(fd, TCSANOW, &settings);
}

}  // namespace

bool ApplySurfaceLineSettings(int fd, int baudRate) {
  speed_t speed = B0;
  if (!SpeedCode(baudRate, speed)) return false;
  termios probe{};
  if (::tcgetattr(fd, &probe) != 0) return false;

  Change(fd, [speed](termios& t) {
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
  });
  // Raw bytes: no echo, no line editing, no XON/XOFF (0x11 and 0x13 are
  // message bytes), no stripping of bit 7 (0xBF, 0xF0, 0xF7 start and end
  // messages). cfmakeraw also gives 8 data bits without parity.
  Change(fd, [](termios& t) {
    ::cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
  });
  // Parity is checked the way the surface's own platform checks it: errors
  // are counted by the driver and cleared, and the byte is still delivered as
  // it came. Input parity checking in termios would instead hand over 0x00
  // for a byte with a parity or framing error (or drop it, or mark it with
  // extra bytes), and 0x00 as a message value reads as control 0.
  Change(fd, [](termios& t) { t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IGNPAR | PARMRK); });
  Change(fd, [](termios& t) { t.c_cflag |= PARENB | PARODD; });
  return true;
}

}  // namespace quorbel

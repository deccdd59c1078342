#include "platform/linux/posix/SerialDevicePath.h"

#include <sys/stat.h>

namespace quorbel {

namespace {
constexpr int kHighestPort = 32;
}

std::string SerialDevicePath(int portNumber) {
  if (portNumber < 1 || portNumber > kHighestPort) return {};
  const std::string link = SerialLinkPath(portNumber);
  struct stat info {};
  // lstat: a link whose target has gone is still the port's name; opening it
  // then fails instead of silently falling back to a built-in port.
  if (::lstat(link.c_str(), &info) == 0) return link;
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

std::string SerialLinkPath(int portNumber) { return "ports/com" + std::to_string(portNumber); }

}  // namespace quorbel

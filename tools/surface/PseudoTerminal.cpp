#include "tools/surface/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace quorbel::surfacetool {

namespace {

// How long a write waits for the editor to make room before giving up.
constexpr std::chrono::milliseconds kWriteWait{1000};

std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string LinkTarget(const std::string& link) {
  std::array<char, 4096> target{};
  const ssize_t length = ::readlink(link.c_str(), target.data(), target.size() - 1);
  return length > 0 ? std::string(target.data(), static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

PseudoTerminal::PseudoTerminal(std::string dir, int port)
    : dir_(std::move(dir)), port_(port), linkPath_(dir_ + "/ports/com" + std::to_string(port)) {}

PseudoTerminal::~PseudoTerminal() { Unplug(); }

bool PseudoTerminal::Plug(std::string& error) {
  Unplug();
  controller_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (controller_ < 0) {
    error = Reason("cannot open a pseudo-terminal");
    return false;
  }
  std::array<char, 256> name{};
  if (::grantpt(controller_) != 0 || ::unlockpt(controller_) != 0 ||
      ::ptsname_r(controller_, name.data(), name.size()) != 0) {
    error = Reason("cannot set up the pseudo-terminal");
    Unplug();
    return false;
  }
  devicePath_ = name.data();
  device_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios settings{};
  if (device_ < 0 || ::tcgetattr(device_, &settings) != 0) {
    error = Reason("cannot open " + devicePath_);
    Unplug();
    return false;
  }
  // Raw both ways: no echo, no line editing and no XON/XOFF, whichever end
  // opens it first; the editor sets its own line settings again on opening.
  ::cfmakeraw(&settings);
  ::tcsetattr(device_, TCSANOW, &settings);
  ::fcntl(controller_, F_SETFL, ::fcntl(controller_, F_GETFL) | O_NONBLOCK);
  if (!Link(error)) {
    Unplug();
    return false;
  }
  return true;
}

bool PseudoTerminal::Link(std::string& error) {
  const std::string ports = dir_ + "/ports";
  if (::mkdir(ports.c_str(), 0755) != 0 && errno != EEXIST) {
    error = Reason("cannot make " + ports);
    return false;
  }
  // Written beside and renamed over, so the editor never sees a half-made link.
  const std::string fresh = linkPath_ + ".new" + std::to_string(::getpid());
  ::unlink(fresh.c_str());
  if (::symlink(devicePath_.c_str(), fresh.c_str()) != 0 ||
      ::rename(fresh.c_str(), linkPath_.c_str()) != 0) {
    error = Reason("cannot link " + linkPath_);
    ::unlink(fresh.c_str());
    return false;
  }
  return true;
}

void PseudoTerminal::Unplug() {
  if (controller_ < 0) return;
  // Another surface may have taken the port name meanwhile; leave its link.
  if (LinkTarget(linkPath_) == devicePath_) ::unlink(linkPath_.c_str());
  ::close(controller_);
  controller_ = -1;
  if (device_ >= 0) ::close(device_);
  device_ = -1;
  devicePath_.clear();
}

std::size_t PseudoTerminal::Read(std::uint8_t* buffer, std::size_t count) {
  if (controller_ < 0) return 0;
  const ssize_t got = ::read(controller_, buffer, count);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool PseudoTerminal::Write(std::span<const std::uint8_t> bytes) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + kWriteWait;
  while (!bytes.empty() && controller_ >= 0) {
    const ssize_t sent = ::write(controller_, bytes.data(), bytes.size());
    if (sent > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno != EAGAIN && errno != EINTR) return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd wait{controller_, POLLOUT, 0};
    ::poll(&wait, 1, static_cast<int>(left.count()));
  }
  return bytes.empty();
}

}  // namespace quorbel::surfacetool

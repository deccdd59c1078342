#include "platform/linux/posix/LinuxSerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>

#include "platform/FolderTrust.h"
#include "platform/linux/posix/SerialDevicePath.h"
#include "platform/linux/posix/SerialLineSettings.h"

namespace quorbel {

namespace {

// A write may wait this long for room in the driver's queue on top of the time
// the bytes take on the line (11 bit times each with parity and stop bit).
constexpr std::chrono::milliseconds kWriteSlack{500};

std::chrono::milliseconds LineTime(std::size_t byteCount, int baudRate) {
  const auto bits = static_cast<long long>(byteCount) * 11;
  return std::chrono::milliseconds(bits * 1000 / std::max(baudRate, 1));
}

// Only a terminal device is a port. Anything else a link may lead to (a
// disk, a pipe that would hang, a tape that rewinds when opened) is not even
// opened.
bool IsTerminalDevice(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

}  // namespace

LinuxSerialPort::~LinuxSerialPort() { Close(); }

bool LinuxSerialPort::Open(int portNumber, int baudRate) {
  Close();
  const std::string path = SerialDevicePath(portNumber);
  if (path.empty()) return false;
  const bool throughLink = path == SerialLinkPath(portNumber);
  if (portNumber == linkedPort_ && !throughLink) return false;
  // A link that others could have placed or changed is not followed.
  if (throughLink && !FolderIsTrusted(std::filesystem::path(path).parent_path())) return false;
  if (!IsTerminalDevice(path)) return false;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  // The check and the open are two steps: what was opened is checked again.
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || !S_ISCHR(opened.st_mode) || ::isatty(fd) != 1) {
    ::close(fd);
    return false;
  }
  // TIOCEXCL keeps other users' opens away; the lock also stops a second
  // opener with the rights to ignore TIOCEXCL, and another port of this process.
  const bool exclusive = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::ioctl(fd, TIOCEXCL) == 0;
  if (!exclusive || !ApplySurfaceLineSettings(fd, baudRate)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  baudRate_ = baudRate;
  linkedPort_ = throughLink ? portNumber : 0;
  return true;
}

bool LinuxSerialPort::IsOpen() const { return fd_ >= 0; }

void LinuxSerialPort::Close() {
  if (fd_ < 0) return;
  // The exclusive mark belongs to the terminal, not to this descriptor: it
  // would outlive the close while someone else (a simulated surface) still
  // holds the terminal, and lock out the next opener.
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

std::size_t LinuxSerialPort::BytesPending() {
  int pending = 0;
  if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &pending) != 0 || pending < 0) return 0;
  return static_cast<std::size_t>(pending);
}

std::size_t LinuxSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
  if (fd_ < 0 || count == 0) return 0;
  ssize_t got = -1;
  do {
    got = ::read(fd_, buffer, count);
  } while (got < 0 && errno == EINTR);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool LinuxSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) return false;
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + kWriteSlack + LineTime(bytes.size(), baudRate_);
  while (!bytes.empty()) {
    const ssize_t sent = ::write(fd_, bytes.data(), bytes.size());
    if (sent > 0) {
      bytes = bytes.subspan(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && errno != EAGAIN) return false;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd wait{fd_, POLLOUT, 0};
    const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0 && (wait.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return false;
  }
  return true;
}

void LinuxSerialPort::DiscardPending() {
  // Reads away exactly what is pending now; tcflush could also drop bytes
  // that arrive while it runs.
  std::size_t left = BytesPending();
  std::array<std::uint8_t, 256> scratch{};
  while (left > 0) {
    const std::size_t got = Read(scratch.data(), std::min(left, scratch.size()));
    if (got == 0) break;
    left -= got;
  }
}

PortHandle LinuxSerialPort::WaitHandle() const { return fd_; }

}  // namespace quorbel

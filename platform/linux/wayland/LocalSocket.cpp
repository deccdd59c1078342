#include "platform/linux/wayland/LocalSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace quorbel::wayland {
namespace {

// Answers larger than this are no compositor's (a sway tree with hundreds of
// windows stays far below it).
constexpr std::size_t kLargestAnswer = 64 * 1024 * 1024;

}  // namespace

std::optional<LocalSocket> LocalSocket::Connect(const std::string& path) {
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return std::nullopt;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::nullopt;
  const timeval timeout{0, static_cast<suseconds_t>(std::chrono::microseconds(kTimeout).count())};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return LocalSocket(fd);
}

LocalSocket::LocalSocket(LocalSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

LocalSocket& LocalSocket::operator=(LocalSocket&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

LocalSocket::~LocalSocket() {
  if (fd_ >= 0) ::close(fd_);
}

bool LocalSocket::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool LocalSocket::WaitReadable() {
  pollfd wait{fd_, POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&wait, 1, static_cast<int>(kTimeout.count()));
    if (ready < 0 && errno == EINTR) continue;
    return ready > 0;
  }
}

std::optional<std::string> LocalSocket::Read(std::size_t count) {
  if (count > kLargestAnswer) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t have = 0;
  while (have < count) {
    if (!WaitReadable()) return std::nullopt;
    const ssize_t got = ::recv(fd_, bytes.data() + have, count - have, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    have += static_cast<std::size_t>(got);
  }
  return bytes;
}

std::optional<std::string> LocalSocket::ReadToEnd() {
  std::string bytes;
  char buffer[8192];
  for (;;) {
    if (!WaitReadable()) return std::nullopt;
    const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (bytes.size() > kLargestAnswer) return std::nullopt;
  }
}

}  // namespace quorbel::wayland

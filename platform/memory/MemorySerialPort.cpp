#include "platform/memory/MemorySerialPort.h"

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace quorbel {

MemorySerialPort::~MemorySerialPort() { Close(); }

bool MemorySerialPort::Open(int portNumber, int baudRate) {
  std::lock_guard lock(mutex_);
  CloseLocked();
  lastPort_ = portNumber;
  lastRate_ = baudRate;
  ++openCount_;
  if (!ports_.contains(portNumber)) return false;
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  programEnd_ = ends[0];
  surfaceEnd_ = ends[1];
  return true;
}

bool MemorySerialPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return programEnd_ >= 0;
}

void MemorySerialPort::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void MemorySerialPort::CloseLocked() {
  if (programEnd_ >= 0) ::close(programEnd_);
  if (surfaceEnd_ >= 0) ::close(surfaceEnd_);
  programEnd_ = -1;
  surfaceEnd_ = -1;
}

std::size_t MemorySerialPort::BytesPending() {
  std::lock_guard lock(mutex_);
  return PendingLocked();
}

std::size_t MemorySerialPort::PendingLocked() const {
  int pending = 0;
  if (programEnd_ < 0 || ::ioctl(programEnd_, FIONREAD, &pending) != 0 || pending < 0) return 0;
  return static_cast<std::size_t>(pending);
}

std::size_t MemorySerialPort::Read(std::uint8_t* buffer, std::size_t count) {
  std::lock_guard lock(mutex_);
  if (programEnd_ < 0 || count == 0) return 0;
  const ssize_t got = ::recv(programEnd_, buffer, count, MSG_DONTWAIT);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

bool MemorySerialPort::Write(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (programEnd_ < 0 || surfaceEnd_ < 0 || writeFails_) return false;
  received_.insert(received_.end(), bytes.begin(), bytes.end());
  return true;
}

void MemorySerialPort::DiscardPending() {
  std::lock_guard lock(mutex_);
  std::size_t left = PendingLocked();
  std::array<std::uint8_t, 256> scratch{};
  while (left > 0) {
    const ssize_t got =
        ::recv(programEnd_, scratch.data(), std::min(left, scratch.size()), MSG_DONTWAIT);
    if (got <= 0) break;
    left -= static_cast<std::size_t>(got);
  }
}

PortHandle MemorySerialPort::WaitHandle() const {
  std::lock_guard lock(mutex_);
  return programEnd_;
}

void MemorySerialPort::AddPort(int portNumber) {
  std::lock_guard lock(mutex_);
  ports_.insert(portNumber);
}

void MemorySerialPort::RemovePort(int portNumber) {
  std::lock_guard lock(mutex_);
  ports_.erase(portNumber);
}

void MemorySerialPort::SetWriteFails(bool fails) {
  std::lock_guard lock(mutex_);
  writeFails_ = fails;
}

int MemorySerialPort::LastOpenPort() const {
  std::lock_guard lock(mutex_);
  return lastPort_;
}

int MemorySerialPort::LastOpenRate() const {
  std::lock_guard lock(mutex_);
  return lastRate_;
}

int MemorySerialPort::OpenCount() const {
  std::lock_guard lock(mutex_);
  return openCount_;
}

bool MemorySerialPort::SurfaceSend(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (surfaceEnd_ < 0) return false;
  // Never blocks: a test that floods the link past the socket's buffer fails here.
  const ssize_t sent = ::send(surfaceEnd_, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
  return sent >= 0 && static_cast<std::size_t>(sent) == bytes.size();
}

std::vector<std::uint8_t> MemorySerialPort::SurfaceReceived() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void MemorySerialPort::ClearSurfaceReceived() {
  std::lock_guard lock(mutex_);
  received_.clear();
}

void MemorySerialPort::SurfaceHangUp() {
  std::lock_guard lock(mutex_);
  if (surfaceEnd_ >= 0) ::close(surfaceEnd_);
  surfaceEnd_ = -1;
}

}  // namespace quorbel

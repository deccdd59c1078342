#include "platform/memory/MemorySerialPort.h"

#include "platform/memory/MemoryLines.h"

namespace quorbel {

MemorySerialPort::~MemorySerialPort() { Close(); }

bool MemorySerialPort::Open(int portNumber, int baudRate) {
  std::lock_guard lock(mutex_);
  CloseLocked();
  lastPort_ = portNumber;
  lastRate_ = baudRate;
  ++openCount_;
  if (!ports_.contains(portNumber)) return false;
  line_ = MemoryLines::Instance().Open();
  return true;
}

bool MemorySerialPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return line_ != kNoPortHandle;
}

void MemorySerialPort::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void MemorySerialPort::CloseLocked() {
  if (line_ != kNoPortHandle) MemoryLines::Instance().Close(line_);
  line_ = kNoPortHandle;
}

std::size_t MemorySerialPort::BytesPending() {
  std::lock_guard lock(mutex_);
  return MemoryLines::Instance().Pending(line_);
}

std::size_t MemorySerialPort::Read(std::uint8_t* buffer, std::size_t count) {
  std::lock_guard lock(mutex_);
  if (buffer == nullptr) return 0;
  return MemoryLines::Instance().Receive(line_, buffer, count);
}

bool MemorySerialPort::Write(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  if (line_ == kNoPortHandle || MemoryLines::Instance().HungUp(line_)) return false;
  received_.insert(received_.end(), bytes.begin(), bytes.end());
  return true;
}

void MemorySerialPort::DiscardPending() {
  std::lock_guard lock(mutex_);
  MemoryLines& lines = MemoryLines::Instance();
  lines.Receive(line_, nullptr, lines.Pending(line_));
}

PortHandle MemorySerialPort::WaitHandle() const {
  std::lock_guard lock(mutex_);
  return line_;
}

void MemorySerialPort::AddPort(int portNumber) {
  std::lock_guard lock(mutex_);
  ports_.insert(portNumber);
}

void MemorySerialPort::RemovePort(int portNumber) {
  std::lock_guard lock(mutex_);
  ports_.erase(portNumber);
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
  return MemoryLines::Instance().Send(line_, bytes);
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
  MemoryLines::Instance().HangUp(line_);
}

}  // namespace quorbel

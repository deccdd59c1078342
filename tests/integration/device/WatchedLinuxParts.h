#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/linux/posix/LinuxClock.h"
#include "platform/linux/posix/LinuxSerialPort.h"

namespace quorbel::testing {

// The real clock, with a note of every sleep asked of it.
class WatchedClock : public Clock {
 public:
  std::uint32_t TickMs() override { return inner_.TickMs(); }
  void Sleep(std::chrono::milliseconds duration) override;
  // How many sleeps of exactly `duration` were asked for.
  int SleepsOf(std::chrono::milliseconds duration) const;

 private:
  LinuxClock inner_;
  mutable std::mutex mutex_;
  std::vector<std::chrono::milliseconds> sleeps_;
};

// The real serial port, with a note of when each write was made.
class WatchedPort : public SerialPort {
 public:
  bool Open(int portNumber, int baudRate) override { return inner_.Open(portNumber, baudRate); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  void Close() override { inner_.Close(); }
  std::size_t BytesPending() override { return inner_.BytesPending(); }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  // A write of the test's own, left out of Writes().
  bool WriteUnnoted(std::span<const std::uint8_t> bytes) { return inner_.Write(bytes); }
  void DiscardPending() override { inner_.DiscardPending(); }
  PortHandle WaitHandle() const override { return inner_.WaitHandle(); }

  struct Written {
    std::vector<std::uint8_t> bytes;
    std::chrono::steady_clock::time_point at;
  };
  std::vector<Written> Writes() const;
  // Bytes taken off the port by reads so far.
  std::size_t BytesRead() const { return bytesRead_; }

 private:
  LinuxSerialPort inner_;
  mutable std::mutex mutex_;
  std::vector<Written> writes_;
  std::atomic<std::size_t> bytesRead_{0};
};

}  // namespace quorbel::testing

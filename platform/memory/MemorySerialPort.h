#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>
#include <span>
#include <vector>

#include "platform/SerialPort.h"

namespace quorbel {

// A serial port whose far end is the test, standing in for the surface. The
// link is an in-memory line, so WaitHandle() is a handle that the in-memory
// waiter reports readable when the surface has sent bytes or pulled the
// cable. What the program writes is kept for the test to read.
class MemorySerialPort : public SerialPort {
 public:
  MemorySerialPort() = default;
  ~MemorySerialPort() override;
  MemorySerialPort(const MemorySerialPort&) = delete;
  MemorySerialPort& operator=(const MemorySerialPort&) = delete;

  bool Open(int portNumber, int baudRate) override;
  bool IsOpen() const override;
  void Close() override;
  std::size_t BytesPending() override;
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  void DiscardPending() override;
  PortHandle WaitHandle() const override;

  // Set-up: which port numbers exist (none at first). Opening any other fails.
  void AddPort(int portNumber);
  void RemovePort(int portNumber);

  // The last Open, successful or not (0 before any), and how many there were.
  int LastOpenPort() const;
  int LastOpenRate() const;
  int OpenCount() const;

  // The surface's side: bytes it sends arrive at the program's end in order.
  // False when the port is closed or hung up.
  bool SurfaceSend(std::span<const std::uint8_t> bytes);
  // Every byte the program has written so far, across opens.
  std::vector<std::uint8_t> SurfaceReceived() const;
  void ClearSurfaceReceived();
  // Closes the surface's end: the line then shows as hung up, reads give 0
  // once the bytes sent before are read, and writes fail, until the port is
  // closed and opened again.
  void SurfaceHangUp();

 private:
  void CloseLocked();

  mutable std::mutex mutex_;
  std::set<int> ports_;
  PortHandle line_ = kNoPortHandle;
  int lastPort_ = 0;
  int lastRate_ = 0;
  int openCount_ = 0;
  std::vector<std::uint8_t> received_;
};

}  // namespace quorbel

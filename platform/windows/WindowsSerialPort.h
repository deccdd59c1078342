#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/SerialPort.h"

namespace quorbel {

// The surface's serial line on a Windows COM port: "Com n" is \\.\COMn,
// opened for overlapped use and shared with nobody (the system refuses a
// second opener). The line settings go through the port's DCB one change at a
// time; the queues are 4096 bytes each way. Line errors are read and cleared
// with every look at the pending bytes. The wait handle is the port's own
// handle, for CommPortWaiter. Open and Close must not run beside the other
// calls; reading on one thread while another writes is fine.
class WindowsSerialPort : public SerialPort {
 public:
  WindowsSerialPort() = default;
  ~WindowsSerialPort() override;
  WindowsSerialPort(const WindowsSerialPort&) = delete;
  WindowsSerialPort& operator=(const WindowsSerialPort&) = delete;

  bool Open(int portNumber, int baudRate) override;
  bool IsOpen() const override;
  void Close() override;
  std::size_t BytesPending() override;
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  void DiscardPending() override;
  PortHandle WaitHandle() const override;

 private:
  PortHandle handle_ = kNoPortHandle;
  int baudRate_ = 0;
};

}  // namespace quorbel

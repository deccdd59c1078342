#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/SerialPort.h"

namespace quorbel {

// The surface's serial line on a Linux tty: 8 data bits, odd parity checked on
// input, one stop bit (Linux has no 1.5), raw bytes, no waiting on reads.
// The device is held exclusively while open. A device that goes away (adapter
// pulled, pseudo-terminal closed) leaves the port open but dead: the poll
// descriptor reports a hang-up, reads give nothing and writes fail, until Close.
// Open and Close must not run beside the other calls; reading on one thread
// while another writes is fine.
class LinuxSerialPort : public SerialPort {
 public:
  LinuxSerialPort() = default;
  ~LinuxSerialPort() override;
  LinuxSerialPort(const LinuxSerialPort&) = delete;
  LinuxSerialPort& operator=(const LinuxSerialPort&) = delete;

  bool Open(int portNumber, int baudRate) override;
  bool IsOpen() const override;
  void Close() override;
  std::size_t BytesPending() override;
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  bool Write(std::span<const std::uint8_t> bytes) override;
  void DiscardPending() override;
  PortHandle WaitHandle() const override;

  // The tty's descriptor; -1 while closed.
  int Descriptor() const { return fd_; }

 private:
  int fd_ = -1;
  int baudRate_ = 0;
  // The port last opened through its ports/comN link, 0 for none. While that
  // link is missing (the simulated surface unplugged), the number still means
  // the link: opening fails instead of reaching the built-in port of the same
  // number, so the surface is found again once it is back.
  int linkedPort_ = 0;
};

}  // namespace quorbel

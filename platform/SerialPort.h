#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorbel {

// What an open port hands its waiter to watch. Only the waiter of the same
// system knows what it stands for; the rest of the program passes it on.
using PortHandle = std::intptr_t;
inline constexpr PortHandle kNoPortHandle = -1;

// The one serial link to the surface. "Com n" is a port number 1..32; how a
// number becomes a device is the implementation's business.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens port n exclusively with the surface's line settings at the given
  // rate. False when the port does not exist, is in use or cannot be set up.
  virtual bool Open(int portNumber, int baudRate) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;

  // Received bytes waiting; never blocks. Line errors are cleared here and
  // not reported.
  virtual std::size_t BytesPending() = 0;
  // Reads at most `count` of the pending bytes; returns how many were read.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
  // Sends the whole message in order. False when it could not be sent.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Drops exactly the bytes pending at the moment of the call.
  virtual void DiscardPending() = 0;

  // What the device thread's waiter watches for arriving bytes and for the
  // device going away; kNoPortHandle while closed.
  virtual PortHandle WaitHandle() const = 0;
};

}  // namespace quorbel

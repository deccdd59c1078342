#include "platform/windows/WindowsSerialPort.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/windows/CommLineSettings.h"
#include "platform/windows/OverlappedCall.h"

namespace quorbel {

namespace {

constexpr int kHighestPort = 32;
constexpr DWORD kQueueBytes = 4096;
// Reads ask only for bytes already received; this bounds one all the same.
constexpr DWORD kReadLimitMs = 1000;

// A write may wait this long for room in the driver's queue on top of the time
// the bytes take on the line (11.5 bit times each with parity and 1.5 stop bits).
constexpr DWORD kWriteSlackMs = 500;

DWORD LineTimeMs(std::size_t byteCount, int baudRate) {
  const auto bits = static_cast<unsigned long long>(byteCount) * 23 / 2;
  return static_cast<DWORD>(bits * 1000 / static_cast<unsigned>(std::max(baudRate, 1)));
}

HANDLE AsHandle(PortHandle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

WindowsSerialPort::~WindowsSerialPort() { Close(); }

bool WindowsSerialPort::Open(int portNumber, int baudRate) {
  Close();
  if (portNumber < 1 || portNumber > kHighestPort || !IsSurfaceRate(baudRate)) return false;
  const std::wstring name = L"\\\\.\\COM" + std::to_wstring(portNumber);
  // Share mode 0: the port is this program's alone while it is open.
  HANDLE port = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (port == INVALID_HANDLE_VALUE) return false;
  DCB probe{};
  probe.DCBlength = sizeof probe;
  if (!::GetCommState(port, &probe)) {
    ::CloseHandle(port);
    return false;
  }
  ApplySurfaceLineSettings(port, baudRate);
  ::SetupComm(port, kQueueBytes, kQueueBytes);
  // The waiter is told of each byte that arrives.
  ::SetCommMask(port, EV_RXCHAR);
  handle_ = reinterpret_cast<PortHandle>(port);
  baudRate_ = baudRate;
  return true;
}

bool WindowsSerialPort::IsOpen() const { return handle_ != kNoPortHandle; }

void WindowsSerialPort::Close() {
  if (handle_ == kNoPortHandle) return;
  // Closing ends a wait for the port's events that is still under way.
  ::CloseHandle(AsHandle(handle_));
  handle_ = kNoPortHandle;
}

std::size_t WindowsSerialPort::BytesPending() {
  if (handle_ == kNoPortHandle) return 0;
  DWORD errors = 0;
  COMSTAT status{};
  // Also clears parity, framing and overrun errors, which the link ignores.
  if (!::ClearCommError(AsHandle(handle_), &errors, &status)) return 0;
  return status.cbInQue;
}

std::size_t WindowsSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t pending = BytesPending();
  if (pending == 0 || count == 0) return 0;
  // Only bytes already received are asked for, so the read ends at once.
  const auto asked = static_cast<DWORD>(std::min(count, pending));
  DWORD got = 0;
  const bool read = OverlappedCall(AsHandle(handle_), kReadLimitMs, got, [&](OVERLAPPED& call) {
    return ::ReadFile(AsHandle(handle_), buffer, asked, nullptr, &call);
  });
  return read ? got : 0;
}

bool WindowsSerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (handle_ == kNoPortHandle) return false;
  if (bytes.empty()) return true;
  DWORD sent = 0;
  const DWORD limit = kWriteSlackMs + LineTimeMs(bytes.size(), baudRate_);
  const bool written = OverlappedCall(AsHandle(handle_), limit, sent, [&](OVERLAPPED& call) {
    return ::WriteFile(AsHandle(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), nullptr,
                       &call);
  });
  return written && sent == bytes.size();
}

void WindowsSerialPort::DiscardPending() {
  // Reads away exactly what is pending now; PurgeComm could also drop bytes
  // that arrive while it runs.
  std::size_t left = BytesPending();
  std::array<std::uint8_t, 256> scratch{};
  while (left > 0) {
    const std::size_t got = Read(scratch.data(), std::min(left, scratch.size()));
    if (got == 0) break;
    left -= got;
  }
}

PortHandle WindowsSerialPort::WaitHandle() const { return handle_; }

}  // namespace quorbel

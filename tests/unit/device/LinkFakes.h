#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "device/DeviceRunner.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryLines.h"
#include "platform/memory/MemorySerialPort.h"

namespace quorbel {

using Bytes = std::vector<std::uint8_t>;

inline const Bytes kIdentityRequest = {0xF0, 0x7D, 0x25, 0x03, 0xF7};
inline const Bytes kIdentityReply = {0xF0, 0x7D, 0x25, 0x03, 0x00, 0x01,
                                     0x02, 0x03, 0x04, 0x05, 0x06};

// What happened on the link, in order: each write the program made as its
// own entry, and the device thread's start, stop, hold and let-go.
struct LinkJournal {
  struct Entry {
    std::string what;  // "write", "start", "stop", "hold", "letgo"
    Bytes bytes;       // the message of a write
    std::uint32_t tickMs = 0;
  };
  std::vector<Entry> entries;

  std::vector<std::string> Kinds() const {
    std::vector<std::string> kinds;
    for (const Entry& e : entries) kinds.push_back(e.what == "write" ? Hex(e.bytes) : e.what);
    return kinds;
  }
  static std::string Hex(const Bytes& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : bytes) {
      if (!text.empty()) text += ' ';
      text += digits[b >> 4];
      text += digits[b & 0x0F];
    }
    return text;
  }
};

// A clock whose sleeps can make the surface act meanwhile.
class ScriptedClock : public FakeClock {
 public:
  void Sleep(std::chrono::milliseconds duration) override {
    FakeClock::Sleep(duration);
    if (onSleep) onSleep();
  }
  std::function<void()> onSleep;
};

// The in-memory port with a surface that can answer identity requests and
// keep sending while the program drains. Every write is journalled.
class ScriptedPort : public SerialPort {
 public:
  ScriptedPort(MemorySerialPort& memory, LinkJournal& journal, Clock& clock)
      : memory_(memory), journal_(journal), clock_(clock) {}

  bool Open(int portNumber, int baudRate) override { return memory_.Open(portNumber, baudRate); }
  bool IsOpen() const override { return memory_.IsOpen(); }
  void Close() override { memory_.Close(); }
  std::size_t BytesPending() override { return memory_.BytesPending(); }
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    return memory_.Read(buffer, count);
  }
  bool Write(std::span<const std::uint8_t> bytes) override {
    const bool written = memory_.Write(bytes);
    if (written)
      journal_.entries.push_back({"write", Bytes(bytes.begin(), bytes.end()), clock_.TickMs()});
    if (written && Bytes(bytes.begin(), bytes.end()) == kIdentityRequest && !reply.empty() &&
        answersLeft > 0) {
      --answersLeft;
      memory_.SurfaceSend(reply);
    }
    return written;
  }
  void DiscardPending() override {
    memory_.DiscardPending();
    if (sendsAfterDiscard > 0) {
      --sendsAfterDiscard;
      memory_.SurfaceSend(Bytes{0xBF, 0x65, 0x40});
    }
  }
  PortHandle WaitHandle() const override { return memory_.WaitHandle(); }

  // What the surface answers to an identity request; empty: it stays silent.
  Bytes reply;
  // How many requests it answers at most.
  int answersLeft = 1'000'000;
  // A turning wheel: this many more jog messages arrive, one after each discard.
  int sendsAfterDiscard = 0;

 private:
  MemorySerialPort& memory_;
  LinkJournal& journal_;
  Clock& clock_;
};

// The device thread as the link sees it. It notices a hang-up the way the
// real one does: the port's line shows as hung up.
class FakeRunner : public DeviceRunner {
 public:
  FakeRunner(SerialPort& port, LinkJournal& journal) : port_(port), journal_(journal) {}

  void Start() override {
    running_ = true;
    hungUp_ = false;
    Note("start");
  }
  void Stop() override {
    if (!running_) return;
    running_ = false;
    Note("stop");
  }
  bool Running() const override { return running_; }
  // Once seen, the hang-up is reported until the next start, stopped or not.
  bool HungUp() const override {
    if (running_) {
      hungUp_ = hungUp_ || MemoryLines::Instance().HungUp(port_.WaitHandle());
    }
    return hungUp_;
  }
  void Hold() override {
    if (running_) Note("hold");
  }
  void LetGo() override {
    if (running_) Note("letgo");
  }
  void GiveBack(std::span<const std::uint8_t> bytes) override {
    journal_.entries.push_back({"giveback", Bytes(bytes.begin(), bytes.end()), 0});
  }

 private:
  void Note(const char* what) { journal_.entries.push_back({what, {}, 0}); }

  SerialPort& port_;
  LinkJournal& journal_;
  bool running_ = false;
  mutable bool hungUp_ = false;
};

}  // namespace quorbel

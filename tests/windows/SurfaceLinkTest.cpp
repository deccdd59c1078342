// The COM port and its waiter against the simulated surface, which the test's
// script has put on COM1 of the Wine prefix. The script hands over the file
// of the surface's commands in QUORBEL_SURFACE_COMMANDS.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "device/SurfaceDecoder.h"
#include "platform/windows/CommPortWaiter.h"
#include "platform/windows/WindowsSerialPort.h"

namespace quorbel {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Steady = std::chrono::steady_clock;

const Bytes kIdentityRequest = {0xF0, 0x7D, 0x25, 0x03, 0xF7};

void TellSurface(const std::string& command) {
  const char* commands = std::getenv("QUORBEL_SURFACE_COMMANDS");
  ASSERT_NE(commands, nullptr) << "run through surface-on-com1.sh";
  std::ofstream(commands, std::ios::app) << command << '\n';
}

class SurfaceLink : public ::testing::Test {
 protected:
  // Waits as the device thread does until `count` bytes have come or the
  // deadline passes; what came.
  Bytes Receive(std::size_t count, std::chrono::milliseconds limit = 5s) {
    Bytes got;
    const auto deadline = Steady::now() + limit;
    while (got.size() < count && Steady::now() < deadline) {
      const PortWait woke = waiter_.Wait(port_.WaitHandle(), 200ms);
      if (woke == PortWait::HungUp) break;
      std::uint8_t chunk[64];
      const std::size_t read = port_.Read(chunk, std::min(sizeof chunk, count - got.size()));
      got.insert(got.end(), chunk, chunk + read);
    }
    return got;
  }

  // Opens COM1 once the surface's link is there.
  bool OpenWithin(std::chrono::milliseconds limit) {
    const auto deadline = Steady::now() + limit;
    while (!port_.Open(1, 38400)) {
      if (Steady::now() > deadline) return false;
      std::this_thread::sleep_for(50ms);
    }
    return true;
  }

  bool ProbeAnswered() {
    if (!port_.Write(kIdentityRequest)) return false;
    const Bytes reply = Receive(11);
    return reply.size() == 11 && reply[0] == 0xF0 && reply[1] == 0x7D && reply[2] == 0x25;
  }

  WindowsSerialPort port_;
  CommPortWaiter waiter_;
};

TEST_F(SurfaceLink, AProbeIsAnsweredAPressIsDecodedAndAnUnplugIsNoticedAndOutlived) {
  ASSERT_TRUE(OpenWithin(10s));
  EXPECT_TRUE(port_.IsOpen());

  EXPECT_TRUE(ProbeAnswered());

  TellSurface("press 59");
  const Bytes press = Receive(3);
  ASSERT_EQ(press.size(), 3U);
  EXPECT_EQ(press[0], kSurfaceStartByte);
  const SurfaceEvent event = DecodeMessage(press[1], press[2]);
  EXPECT_EQ(event.kind, SurfaceEventKind::Press);
  EXPECT_EQ(event.control, 59);
  EXPECT_EQ(port_.BytesPending(), 0U);

  // The adapter pulled: the wait ends as the device thread takes it, a
  // hang-up or readable with nothing to read, and does not spin after.
  TellSurface("unplug");
  const auto deadline = Steady::now() + 10s;
  bool noticed = false;
  while (!noticed && Steady::now() < deadline) {
    const PortWait woke = waiter_.Wait(port_.WaitHandle(), 500ms);
    noticed = woke == PortWait::HungUp || (woke == PortWait::Readable && port_.BytesPending() == 0);
  }
  EXPECT_TRUE(noticed);
  port_.Close();

  TellSurface("plug");
  ASSERT_TRUE(OpenWithin(10s));
  EXPECT_TRUE(ProbeAnswered());
}

TEST_F(SurfaceLink, AQuietLineTimesOutAndAWakeEndsAWaitOnThePort) {
  ASSERT_TRUE(OpenWithin(10s));
  EXPECT_EQ(waiter_.Wait(port_.WaitHandle(), 50ms), PortWait::TimedOut);
  std::thread waker([this] {
    std::this_thread::sleep_for(20ms);
    waiter_.Wake();
  });
  EXPECT_EQ(waiter_.Wait(port_.WaitHandle(), 10s), PortWait::Woken);
  waker.join();
  // The wait left under way by the wake still serves the next one.
  TellSurface("press 3");
  const Bytes press = Receive(3);
  EXPECT_EQ(press, (Bytes{0xBF, 0x12, 0x03}));
}

// The device thread reads a press that a wait found pending while the wait
// for the port's events stays under way; that wait ends for the bytes already
// read. The next wait must not answer readable with nothing to read, which
// the device thread takes for a surface pulled out.
TEST_F(SurfaceLink, AWaitThatOutlivedItsBytesIsNoNewsAndNoUnplug) {
  ASSERT_TRUE(OpenWithin(10s));
  EXPECT_EQ(waiter_.Wait(port_.WaitHandle(), 50ms), PortWait::TimedOut);
  TellSurface("press 7");
  const auto deadline = Steady::now() + 5s;
  while (port_.BytesPending() < 3 && Steady::now() < deadline) std::this_thread::sleep_for(10ms);
  // The thread waits elsewhere a while, as the device thread's requests to the
  // GUI thread make it: Wine finishes the port's wait in such a wait.
  const HANDLE elsewhere = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(elsewhere, nullptr);
  EXPECT_EQ(::WaitForSingleObject(elsewhere, 100), static_cast<DWORD>(WAIT_TIMEOUT));
  ::CloseHandle(elsewhere);
  ASSERT_EQ(waiter_.Wait(port_.WaitHandle(), 0ms), PortWait::Readable);
  std::uint8_t press[3] = {};
  ASSERT_EQ(port_.Read(press, sizeof press), 3U);

  const PortWait next = waiter_.Wait(port_.WaitHandle(), 300ms);
  EXPECT_EQ(next, PortWait::TimedOut) << "the queue holds " << port_.BytesPending() << " bytes";

  TellSurface("press 8");
  EXPECT_EQ(Receive(3), (Bytes{0xBF, 0x12, 0x08}));
}

}  // namespace
}  // namespace quorbel

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <termios.h>

#include <array>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/linux/posix/LinuxSerialPort.h"
#include "tests/integration/device/LinkRig.h"

namespace quorbel::testing {
namespace {

using ::testing::ElementsAre;

constexpr int kPort = 3;

// The Linux serial port on the simulated surface's pseudo-terminal.
class SerialPortTest : public ::testing::Test {
 protected:
  // Reads until `count` bytes have come or the time is up.
  std::vector<std::uint8_t> ReadBytes(LinuxSerialPort& port, std::size_t count) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
      std::array<std::uint8_t, 16> chunk{};
      const std::size_t got = port.Read(chunk.data(), std::min(chunk.size(), count - bytes.size()));
      bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<long>(got));
      if (got == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return bytes;
  }

  WorkingFolder folder{"quorbel-link-"};
  SurfaceProcess surface{folder.Path(), kPort};
};

TEST_F(SerialPortTest, APortIsHeldExclusivelyUntilItIsClosed) {
  LinuxSerialPort first;
  LinuxSerialPort second;
  ASSERT_TRUE(first.Open(kPort, 38400));
  EXPECT_FALSE(second.Open(kPort, 38400));
  first.Close();
  EXPECT_TRUE(second.Open(kPort, 38400));
}

TEST_F(SerialPortTest, TheLineRunsAtTheRateWithEightDataBitsAndOneStopBit) {
  LinuxSerialPort port;
  ASSERT_TRUE(port.Open(kPort, 9600));
  termios line{};
  ASSERT_EQ(::tcgetattr(port.Descriptor(), &line), 0);
  EXPECT_EQ(::cfgetispeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  // A pseudo-terminal refuses parity on the line itself; the port goes on
  // with what was accepted. A byte with a parity or framing error comes
  // through as it came: no input parity checking turns it into 0x00.
  EXPECT_EQ(line.c_iflag & (INPCK | IGNPAR | PARMRK), 0U);
  EXPECT_EQ(line.c_cflag & CSTOPB, 0U);
  EXPECT_FALSE(port.Open(kPort, 1200));  // none of the surface's rates
}

TEST_F(SerialPortTest, ControlCharactersAndBit7PassUnchangedBothWays) {
  LinuxSerialPort port;
  ASSERT_TRUE(port.Open(kPort, 38400));
  // XON, XOFF, carriage return, line feed, interrupt and the message bytes.
  const std::vector<std::uint8_t> awkward = {0x11, 0x13, 0x0D, 0x0A, 0x03, 0xBF, 0x12, 0xF7};
  surface.Command("raw 11 13 0D 0A 03 BF 12 F7");
  EXPECT_EQ(ReadBytes(port, awkward.size()), awkward);

  surface.Command("log on");
  surface.State();
  const std::size_t from = surface.LineCount();
  ASSERT_TRUE(
      port.Write(std::vector<std::uint8_t>{0x11, 0x13, 0x0D, 0x0A, 0x03, 0xBF, 0x13, 0x7F}));
  ASSERT_GE(surface.WaitForLine(from, "recv BF"), 0);
  EXPECT_THAT(surface.ReceivedSince(from), ElementsAre("11", "13", "0D", "0A", "03", "BF 13 7F"));
}

}  // namespace
}  // namespace quorbel::testing

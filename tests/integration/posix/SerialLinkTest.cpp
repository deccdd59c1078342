#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include "platform/linux/posix/LinuxSerialPort.h"
#include "tests/support/SurfaceProcess.h"
#include "tests/support/TempFolder.h"

namespace quorbel::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

const Bytes kIdentityRequest{0xF0, 0x7D, 0x25, 0x03, 0xF7};

// Reads until `count` bytes have come, waiting on the poll descriptor as the
// device thread does. Fewer bytes when the time runs out or the line hangs up.
Bytes ReadBytes(LinuxSerialPort& port, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + SurfaceProcess::kPatience;
  Bytes bytes;
  while (bytes.size() < count && std::chrono::steady_clock::now() < deadline) {
    pollfd wait{port.Descriptor(), POLLIN, 0};
    if (::poll(&wait, 1, 100) <= 0) continue;
    if ((wait.revents & POLLHUP) != 0) break;
    std::uint8_t buffer[64];
    const std::size_t got = port.Read(buffer, std::min(sizeof buffer, count - bytes.size()));
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  return bytes;
}

// Waits until at least `count` bytes are pending, without reading them.
bool WaitPending(LinuxSerialPort& port, std::size_t count) {
  const auto deadline = std::chrono::steady_clock::now() + SurfaceProcess::kPatience;
  while (port.BytesPending() < count) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    pollfd wait{port.Descriptor(), POLLIN, 0};
    ::poll(&wait, 1, 10);
  }
  return true;
}

class SerialLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(surface_.NextLine("ready com1"));
    surface_.Command("log on");
    ASSERT_TRUE(surface_.NextLine("log on"));
    ASSERT_TRUE(port_.Open(1, 38400));
  }

  void Send(const Bytes& bytes) { ASSERT_TRUE(port_.Write(bytes)); }

  WorkingFolder folder_{"quorbel-serial-"};
  SurfaceProcess surface_{folder_.Path(), 1};
  LinuxSerialPort port_;
};

// A pseudo-terminal has no parity to enable and always reports it off, so the
// odd-parity choice is what shows of it here. Received bytes with a parity or
// framing error must come through as they came, not as 0x00 (control 0):
// no input parity checking, no marking, no dropping.
TEST_F(SerialLinkTest, LineRunsRawWithOddParityOneStopBitAtTheGivenRate) {
  ASSERT_TRUE(port_.Open(1, 9600));
  termios line{};
  ASSERT_EQ(::tcgetattr(port_.Descriptor(), &line), 0);
  EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(::cfgetispeed(&line), static_cast<speed_t>(B9600));
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARODD | CSTOPB), static_cast<tcflag_t>(PARODD));
  EXPECT_NE(line.c_cflag & CLOCAL, 0U);
  EXPECT_NE(line.c_cflag & CREAD, 0U);
  EXPECT_EQ(line.c_iflag & (INPCK | IGNPAR | PARMRK), 0U);
  EXPECT_EQ(line.c_iflag & (IXON | ISTRIP | ICRNL), 0U);
  EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0U);
  EXPECT_EQ(line.c_oflag & OPOST, 0U);
}

TEST_F(SerialLinkTest, IdentityRequestIsAnsweredNormallyShortOrNotAtAll) {
  Send(kIdentityRequest);
  const Bytes reply = ReadBytes(port_, 11);
  ASSERT_EQ(reply.size(), 11U);
  EXPECT_THAT(Bytes(reply.begin(), reply.begin() + 4), ElementsAre(0xF0, 0x7D, 0x25, 0x03));

  // A surface answers before it reports the request, so a press sent after
  // the report arrives behind the answer, or first when there is none.
  surface_.Command("answer silent");
  ASSERT_TRUE(surface_.NextLine("answer silent"));
  Send(kIdentityRequest);
  ASSERT_TRUE(surface_.NextLine("recv F0 7D 25 03 F7"));
  surface_.Command("press 1");
  EXPECT_THAT(ReadBytes(port_, 3), ElementsAre(0xBF, 0x12, 0x01));

  surface_.Command("answer short");
  ASSERT_TRUE(surface_.NextLine("answer short"));
  Send(kIdentityRequest);
  ASSERT_TRUE(surface_.NextLine("recv F0 7D 25 03 F7"));
  surface_.Command("press 2");
  const Bytes shortThenPress = ReadBytes(port_, 13);
  ASSERT_EQ(shortThenPress.size(), 13U);
  EXPECT_THAT(Bytes(shortThenPress.begin(), shortThenPress.begin() + 4),
              ElementsAre(0xF0, 0x7D, 0x25, 0x03));
  EXPECT_THAT(Bytes(shortThenPress.begin() + 10, shortThenPress.end()),
              ElementsAre(0xBF, 0x12, 0x02));

  surface_.Command("answer late 50");
  ASSERT_TRUE(surface_.NextLine("answer late 50"));
  Send(kIdentityRequest);
  EXPECT_EQ(ReadBytes(port_, 11).size(), 11U);
}

TEST_F(SerialLinkTest, LampsAndDisplayShowInTheSurfacesState) {
  Send({0xBF, 0x12, 0x05, 0xBF, 0x12, 0x14, 0xBF, 0x13, 0x05});
  Send({0xBF, 0x14, 0x48});
  for (char c : std::string("Layer 2")) Send({0xBF, 0x15, static_cast<std::uint8_t>(c)});
  Send({0xBF, 0x67, 0x00});
  ASSERT_TRUE(surface_.NextLine("recv BF 67 00"));

  const auto state = surface_.State();
  EXPECT_THAT(state, Contains("lamps 20"));
  EXPECT_THAT(state, Contains("display 72 \"Layer 2\""));
  EXPECT_THAT(state, Contains("closing 1 0"));
}

TEST_F(SerialLinkTest, PressJogAndShuttleArriveAsSurfaceMessages) {
  surface_.Command("press 59");
  surface_.Command("release 59");
  surface_.Command("jog left 2");
  surface_.Command("jog right");
  surface_.Command("shuttle -13");
  surface_.Command("raw 00 11 13");
  EXPECT_THAT(ReadBytes(port_, 21),
              ElementsAreArray({0xBF, 0x12, 0x3B, 0xBF, 0x13, 0x3B, 0xBF, 0x65, 0x40, 0xBF, 0x65,
                                0x40, 0xBF, 0x65, 0x00, 0xBF, 0x66, 0x73, 0x00, 0x11, 0x13}));
}

TEST_F(SerialLinkTest, DiscardPendingDropsWhatWasPendingAndKeepsWhatCameLater) {
  surface_.Command("press 1");
  ASSERT_TRUE(WaitPending(port_, 3));
  port_.DiscardPending();
  EXPECT_EQ(port_.BytesPending(), 0U);
  surface_.Command("press 2");
  EXPECT_THAT(ReadBytes(port_, 3), ElementsAre(0xBF, 0x12, 0x02));
}

TEST_F(SerialLinkTest, SecondOpenerIsRefusedUntilTheFirstCloses) {
  LinuxSerialPort second;
  EXPECT_FALSE(second.Open(1, 38400));
  EXPECT_FALSE(second.IsOpen());
  port_.Close();
  EXPECT_TRUE(second.Open(1, 38400));
  EXPECT_FALSE(port_.Open(1, 38400));
}

TEST_F(SerialLinkTest, MissingPortsAndUnknownRatesFailToOpen) {
  std::filesystem::create_symlink("/dev/quorbel-no-such-device", "ports/com2");
  std::filesystem::create_symlink("/dev/null", "ports/com3");
  LinuxSerialPort other;
  EXPECT_FALSE(other.Open(2, 38400));
  EXPECT_FALSE(other.Open(3, 38400)) << "not a terminal";
  EXPECT_FALSE(other.Open(0, 38400));
  EXPECT_FALSE(other.Open(33, 38400));
  EXPECT_EQ(other.Descriptor(), -1);
  if (!std::filesystem::exists("/dev/ttyS31")) {
    EXPECT_FALSE(other.Open(32, 38400));
  }

  port_.Close();
  EXPECT_FALSE(other.Open(1, 1200));
  EXPECT_TRUE(other.Open(1, 2400));
}

// A link must lead to a terminal, through a ports folder only the user may
// change: a pipe would hang an ordinary open, and a link others placed could
// point the program at a device of theirs.
TEST_F(SerialLinkTest, LinksToNonTerminalsOrInFoldersOthersMayWriteAreRefused) {
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  std::filesystem::create_symlink(std::filesystem::absolute("pipe"), "ports/com4");
  LinuxSerialPort other;
  EXPECT_FALSE(other.Open(4, 38400)) << "a pipe is no port";

  port_.Close();
  std::filesystem::permissions("ports", std::filesystem::perms::others_write,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(other.Open(1, 38400)) << "ports folder open to others";
  std::filesystem::permissions("ports", std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  EXPECT_TRUE(other.Open(1, 38400));
}

TEST_F(SerialLinkTest, UnplugHangsUpWithoutBusyReadsAndPlugLetsItOpenAgain) {
  surface_.Command("unplug");
  ASSERT_TRUE(surface_.NextLine("unplugged"));

  pollfd wait{port_.Descriptor(), POLLIN, 0};
  ASSERT_EQ(::poll(&wait, 1, 10'000), 1);
  EXPECT_NE(wait.revents & POLLHUP, 0);
  // A dead line reads as a quiet one: nothing pending, nothing read, so a
  // reader that waits for three bytes never spins on garbage.
  EXPECT_TRUE(port_.IsOpen());
  EXPECT_EQ(port_.BytesPending(), 0U);
  std::uint8_t buffer[8];
  EXPECT_EQ(port_.Read(buffer, sizeof buffer), 0U);
  EXPECT_FALSE(port_.Write(kIdentityRequest));
  port_.DiscardPending();

  surface_.Command("plug");
  ASSERT_TRUE(surface_.NextLine("ready com1"));
  port_.Close();
  EXPECT_EQ(port_.Descriptor(), -1);
  ASSERT_TRUE(port_.Open(1, 38400));
  surface_.Command("press 7");
  EXPECT_THAT(ReadBytes(port_, 3), ElementsAre(0xBF, 0x12, 0x07));
}

}  // namespace
}  // namespace quorbel::testing

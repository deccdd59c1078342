#include "platform/memory/MemorySerialPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <array>
#include <cstdint>
#include <vector>

namespace quorbel {
namespace {

using ::testing::ElementsAre;

short Poll(int descriptor) {
  pollfd entry{descriptor, POLLIN, 0};
  if (::poll(&entry, 1, 0) < 0) return -1;
  return entry.revents;
}

class MemorySerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port.AddPort(3);
    ASSERT_TRUE(port.Open(3, 38400));
  }

  void Send(std::vector<std::uint8_t> bytes) { ASSERT_TRUE(port.SurfaceSend(bytes)); }

  MemorySerialPort port;
};

TEST_F(MemorySerialPortTest, OpensOnlyPortsThatExist) {
  EXPECT_FALSE(port.Open(4, 9600));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.WaitHandle(), kNoPortHandle);
  EXPECT_EQ(port.LastOpenPort(), 4);
  EXPECT_EQ(port.LastOpenRate(), 9600);
  EXPECT_EQ(port.OpenCount(), 2);
  EXPECT_TRUE(port.Open(3, 19200));
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(MemorySerialPortTest, PollSeesBytesAndReadTakesAtMostTheCount) {
  EXPECT_EQ(Poll(static_cast<int>(port.WaitHandle())), 0);
  Send({0xBF, 0x12, 0x3B, 0xBF});
  EXPECT_TRUE(Poll(static_cast<int>(port.WaitHandle())) & POLLIN);
  EXPECT_EQ(port.BytesPending(), 4u);

  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(port.Read(buffer.data(), 3), 3u);
  EXPECT_THAT(std::vector(buffer.begin(), buffer.begin() + 3), ElementsAre(0xBF, 0x12, 0x3B));
  EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 1u);
  EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 0u);  // nothing left, and no wait
}

TEST_F(MemorySerialPortTest, DiscardDropsOnlyWhatIsPendingNow) {
  Send({1, 2, 3});
  port.DiscardPending();
  EXPECT_EQ(port.BytesPending(), 0u);
  Send({4, 5});
  std::array<std::uint8_t, 8> buffer{};
  ASSERT_EQ(port.Read(buffer.data(), buffer.size()), 2u);
  EXPECT_EQ(buffer[0], 4);
  EXPECT_EQ(buffer[1], 5);
}

TEST_F(MemorySerialPortTest, HangUpShowsInPollReadsAndWrites) {
  const std::vector<std::uint8_t> probe{0xF0, 0x7E, 0xF7};
  EXPECT_TRUE(port.Write(probe));
  Send({9});
  port.SurfaceHangUp();

  EXPECT_TRUE(Poll(static_cast<int>(port.WaitHandle())) & POLLHUP);
  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 1u);  // what came before the hang-up
  EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 0u);
  EXPECT_FALSE(port.Write(probe));
  EXPECT_FALSE(port.SurfaceSend(probe));
  EXPECT_EQ(port.SurfaceReceived(), probe);

  port.Close();
  EXPECT_EQ(port.WaitHandle(), kNoPortHandle);
  ASSERT_TRUE(port.Open(3, 38400));
  EXPECT_EQ(Poll(static_cast<int>(port.WaitHandle())), 0);
  EXPECT_TRUE(port.Write(probe));
  EXPECT_EQ(port.SurfaceReceived().size(), 6u);
}

}  // namespace
}  // namespace quorbel

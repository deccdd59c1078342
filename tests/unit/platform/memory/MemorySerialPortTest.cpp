#include "platform/memory/MemorySerialPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/memory/MemoryLines.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;

// What a waiter would see of the port's line right now, without waiting.
std::optional<PortWait> Look(const MemorySerialPort& port) {
  bool woken = false;
  return MemoryLines::Instance().Watch(port.WaitHandle(), woken, false);
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

TEST_F(MemorySerialPortTest, TheLineShowsBytesAndReadTakesAtMostTheCount) {
  EXPECT_EQ(Look(port), std::nullopt);
  Send({0xBF, 0x12, 0x3B, 0xBF});
  EXPECT_EQ(Look(port), PortWait::Readable);
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

TEST_F(MemorySerialPortTest, HangUpShowsInTheLineReadsAndWrites) {
  const std::vector<std::uint8_t> probe{0xF0, 0x7E, 0xF7};
  EXPECT_TRUE(port.Write(probe));
  Send({9});
  port.SurfaceHangUp();

  EXPECT_TRUE(MemoryLines::Instance().HungUp(port.WaitHandle()));
  EXPECT_EQ(Look(port), PortWait::Readable);  // the end of the file is there to read
  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 1u);  // what came before the hang-up
  EXPECT_EQ(port.Read(buffer.data(), buffer.size()), 0u);
  EXPECT_FALSE(port.Write(probe));
  EXPECT_FALSE(port.SurfaceSend(probe));
  EXPECT_EQ(port.SurfaceReceived(), probe);

  port.Close();
  EXPECT_EQ(port.WaitHandle(), kNoPortHandle);
  ASSERT_TRUE(port.Open(3, 38400));
  EXPECT_EQ(Look(port), std::nullopt);
  EXPECT_TRUE(port.Write(probe));
  EXPECT_EQ(port.SurfaceReceived().size(), 6u);
}

}  // namespace
}  // namespace quorbel

#include <gtest/gtest.h>

#include "tests/unit/device/LinkFixture.h"

namespace quorbel {
namespace {

class VanishedPortTest : public LinkTest {
 protected:
  VanishedPortTest() {
    memory.AddPort(4);
    settings = {4, 38400};
    port.reply = kIdentityReply;
    link.serial.OpenAtStartup();
  }
};

TEST_F(VanishedPortTest, UnpluggedSurfaceShowsNotActiveAndComesBackOnItsOwnPort) {
  ASSERT_EQ(Caption(), "Quorbel - Cubase");
  memory.SurfaceHangUp();
  memory.RemovePort(4);

  link.status.StatusTick();
  EXPECT_EQ(Caption(), "Quorbel Not Active");
  EXPECT_FALSE(link.presence.SurfaceAnswers());
  EXPECT_FALSE(runner.Running());
  EXPECT_FALSE(port.IsOpen());

  // Still missing: tried quietly, nothing opens, nothing is shown.
  const int opens = memory.OpenCount();
  link.status.StatusTick();
  EXPECT_EQ(memory.OpenCount(), opens + 1);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(toolkit.MessageBoxes().empty());
  EXPECT_EQ(Caption(), "Quorbel Not Active");

  // Plugged in again: opened as after a choice of port, surface initialised.
  memory.AddPort(4);
  journal.entries.clear();
  link.status.StatusTick();
  EXPECT_EQ(memory.LastOpenPort(), 4);
  EXPECT_TRUE(runner.Running());
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
  const auto greeting = DisplayWrites("Brenlow Electronics Quorbel Series", 2);
  EXPECT_EQ(Sent(), Join({{"F0 7D 25 03 F7"}, InitialisationWrites(), {"start"}, greeting}));
  EXPECT_TRUE(toolkit.MenuChecked("main", 1644));

  // Back to ordinary ticks: the listening probe.
  journal.entries.clear();
  link.status.StatusTick();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"hold", "F0 7D 25 03 F7", "letgo"}));
}

TEST_F(VanishedPortTest, APortThatIsBackAlreadyIsReopenedByTheTickThatDropsIt) {
  memory.SurfaceHangUp();
  journal.entries.clear();
  link.status.StatusTick();
  EXPECT_TRUE(runner.Running());
  EXPECT_FALSE(link.serial.PortVanished());
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
  const auto greeting = DisplayWrites("Brenlow Electronics Quorbel Series", 2);
  EXPECT_EQ(Sent(),
            Join({{"stop", "F0 7D 25 03 F7"}, InitialisationWrites(), {"start"}, greeting}));
}

TEST_F(VanishedPortTest, AChoiceOfPortEndsTheQuietRetries) {
  memory.SurfaceHangUp();
  memory.RemovePort(4);
  link.status.StatusTick();
  ASSERT_TRUE(link.serial.PortVanished());

  link.serial.ChoosePort(9);
  EXPECT_EQ(toolkit.MessageBoxes().size(), 1U);
  EXPECT_FALSE(link.serial.PortVanished());
  const int opens = memory.OpenCount();
  link.status.StatusTick();
  EXPECT_EQ(memory.OpenCount(), opens);
}

// The device watch reports a plug at once: the port comes back without
// waiting for a tick, and a change while nothing vanished does nothing.
TEST_F(VanishedPortTest, DeviceChangeReopensAVanishedPortAtOnce) {
  link.status.DevicesChanged();
  EXPECT_TRUE(runner.Running());
  memory.SurfaceHangUp();
  memory.RemovePort(4);
  link.status.DevicesChanged();
  EXPECT_EQ(Caption(), "Quorbel Not Active");
  memory.AddPort(4);
  link.status.DevicesChanged();
  EXPECT_EQ(memory.LastOpenPort(), 4);
  EXPECT_TRUE(runner.Running());
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
  EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

// A port whose link now leads elsewhere is opened afresh, even the current
// one; a device the user may not open yet is not tried.
TEST_F(VanishedPortTest, RelinkedPortIsOpenedAfreshUnlessItMayNotBeOpened) {
  const int opens = memory.OpenCount();
  link.serial.UseRelinkedPort(4, true);
  EXPECT_EQ(memory.OpenCount(), opens + 1);
  EXPECT_TRUE(runner.Running());
  link.serial.UseRelinkedPort(6, false);
  EXPECT_EQ(settings.CommPort, 6);
  EXPECT_FALSE(runner.Running());
  EXPECT_EQ(memory.OpenCount(), opens + 1);
  EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

}  // namespace
}  // namespace quorbel

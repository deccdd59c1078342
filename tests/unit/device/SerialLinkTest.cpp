#include <gtest/gtest.h>

#include "tests/unit/device/LinkFixture.h"

namespace quorbel {
namespace {

const std::string kFailure7 = "Failure to start communications on Com 7";

class SerialLinkTest : public LinkTest {
 protected:
  SerialLinkTest() {
    memory.AddPort(1);
    memory.AddPort(2);
    // Whether DialogActive was set while each message box was up.
    toolkit.SetDialogHook([this] { dialogActiveDuringBox.push_back(windows.DialogActive.load()); });
  }

  std::vector<int> dialogActiveDuringBox;
};

TEST_F(SerialLinkTest, UnsetPortAndRateOpenPort1At38400) {
  ASSERT_TRUE(link.serial.OpenLink());
  EXPECT_EQ(settings, (LinkSettings{1, 38400}));
  EXPECT_EQ(memory.LastOpenPort(), 1);
  EXPECT_EQ(memory.LastOpenRate(), 38400);
  EXPECT_FALSE(runner.Running());
}

TEST_F(SerialLinkTest, StartupGreetsStartsTheThreadThenShowsTheLayer) {
  settings = {2, 9600};
  link.serial.OpenAtStartup();
  const auto sent = Sent();
  const auto greeting = DisplayWrites("Brenlow Electronics Quorbel Series", 2);
  const auto layerLine = Join({DisplayWrites("Current Keyset Layer 1", 72), {"BF 13 14"}});
  const auto expected =
      Join({std::vector<std::string>(4, "F0 7D 25 03 F7"), greeting, {"start"}, layerLine});
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(windows.DialogActive, 0);
  EXPECT_TRUE(toolkit.MessageBoxes().empty());

  // A second start-up with the thread running changes nothing.
  journal.entries.clear();
  link.serial.OpenAtStartup();
  EXPECT_TRUE(journal.entries.empty());
  EXPECT_EQ(memory.OpenCount(), 1);
}

TEST_F(SerialLinkTest, StatusTicksDuringTheDisplayPausesAreDropped) {
  settings = {2, 38400};
  port.reply = kIdentityReply;
  // The status timer fires while each display text pauses.
  toolkit.SetDelayHook([this](float) { link.status.StatusTick(); });
  link.serial.OpenAtStartup();
  EXPECT_EQ(CountOf("F0 7D 25 03 F7"), 1);
  EXPECT_EQ(CountOf("F0 7D 25 02 01 01 00 00 F7"), 1);
  EXPECT_EQ(CountOf("hold"), 0);
  EXPECT_EQ(toolkit.Delays().size(), 4U);
}

TEST_F(SerialLinkTest, StopDuringTheStartupGreetingEndsStartupsPartInTheLink) {
  settings = {2, 38400};
  // The program is ended while the greeting pauses.
  toolkit.SetDelayHook([this](float) { link.serial.StopLink(); });
  link.serial.OpenAtStartup();
  EXPECT_FALSE(runner.Running());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(CountOf("start"), 0);
  EXPECT_EQ(toolkit.Delays().size(), 1U);
  EXPECT_EQ(windows.DialogActive, 0);
}

TEST_F(SerialLinkTest, StartupOnAMissingPortTellsTheUserAndRunsNoThread) {
  settings = {7, 38400};
  link.serial.OpenAtStartup();
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1U);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, kFailure7);
  EXPECT_EQ(toolkit.MessageBoxes()[0].title, "QuorbelU");
  EXPECT_EQ(toolkit.MessageBoxes()[0].buttons, ui::Buttons::Ok);
  EXPECT_EQ(dialogActiveDuringBox, std::vector<int>{1});
  EXPECT_EQ(windows.DialogActive, 0);
  EXPECT_FALSE(runner.Running());
  EXPECT_TRUE(journal.entries.empty());
}

TEST_F(SerialLinkTest, ChoosingTheCurrentPortDoesNothing) {
  settings = {2, 38400};
  link.serial.OpenAtStartup();
  journal.entries.clear();
  link.serial.ChoosePort(2);
  EXPECT_TRUE(journal.entries.empty());
  EXPECT_EQ(memory.OpenCount(), 1);
  EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

TEST_F(SerialLinkTest, MissingPortFailsWithAMessageAndALaterChoiceWorks) {
  settings = {1, 38400};
  link.serial.OpenAtStartup();
  journal.entries.clear();

  link.serial.ChoosePort(7);
  EXPECT_EQ(Sent(), std::vector<std::string>{"stop"});
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1U);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, kFailure7);
  EXPECT_EQ(dialogActiveDuringBox, std::vector<int>{1});
  EXPECT_EQ(settings.CommPort, 7);
  EXPECT_FALSE(runner.Running());
  EXPECT_FALSE(port.IsOpen());

  journal.entries.clear();
  link.serial.ChoosePort(2);
  EXPECT_TRUE(runner.Running());
  EXPECT_EQ(memory.LastOpenPort(), 2);
  // A change of port greets after starting the thread and shows no layer.
  const auto greeting = DisplayWrites("Brenlow Electronics Quorbel Series", 2);
  EXPECT_EQ(Sent(), Join({std::vector<std::string>(4, "F0 7D 25 03 F7"), {"start"}, greeting}));
  EXPECT_EQ(toolkit.MessageBoxes().size(), 1U);
}

TEST_F(SerialLinkTest, ChoosingARateReopensAtThatRateAndTheFailureNamesThePort) {
  settings = {2, 38400};
  link.serial.OpenAtStartup();
  link.serial.ChooseBaudRate(1675);
  EXPECT_EQ(settings.BaudRate, 9600);
  EXPECT_EQ(memory.LastOpenRate(), 9600);
  EXPECT_EQ(memory.OpenCount(), 2);
  EXPECT_TRUE(runner.Running());

  const int opens = memory.OpenCount();
  link.serial.ChooseBaudRate(1675);  // the current rate
  link.serial.ChooseBaudRate(1672);  // not a rate item
  EXPECT_EQ(memory.OpenCount(), opens);

  memory.RemovePort(2);
  link.serial.ChooseBaudRate(1677);
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1U);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, "Failure to start communications on Com 2");
  EXPECT_EQ(settings.BaudRate, 2400);
  EXPECT_FALSE(runner.Running());
}

TEST_F(SerialLinkTest, MarksStayClearedAfterAnUnansweredOpeningUntilPutBack) {
  settings = {2, 19200};
  link.portMenu.PutPortMenuMarks();
  link.serial.OpenAtStartup();
  EXPECT_FALSE(AnyPortMarkChecked());
  link.portMenu.PutPortMenuMarks();
  EXPECT_TRUE(toolkit.MenuChecked("main", 1642));
  EXPECT_TRUE(toolkit.MenuChecked("main", 1674));
}

TEST_F(SerialLinkTest, StoppingDrainsASendingSurfaceIn200MsStepsThenCloses) {
  settings = {2, 38400};
  link.serial.OpenAtStartup();
  link.portMenu.PutPortMenuMarks();
  const long long sleptBefore = clock.SleptMs();
  memory.SurfaceSend(Bytes{0xBF, 0x65, 0x40});
  port.sendsAfterDiscard = 3;

  link.serial.StopLink();
  EXPECT_EQ(clock.SleptMs() - sleptBefore, 4 * 200);
  EXPECT_FALSE(runner.Running());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(AnyPortMarkChecked());
}

TEST_F(SerialLinkTest, StoppingGivesUpOnASurfaceThatNeverFallsSilent) {
  settings = {2, 38400};
  link.serial.OpenAtStartup();
  const long long sleptBefore = clock.SleptMs();
  memory.SurfaceSend(Bytes{0xBF, 0x65, 0x40});
  port.sendsAfterDiscard = 1'000'000;

  link.serial.StopLink();
  EXPECT_EQ(clock.SleptMs() - sleptBefore, kMaxDrainRounds * 200);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialLinkTest, StoppingStopsTheThreadBeforeTouchingThePort) {
  settings = {2, 38400};
  link.serial.OpenAtStartup();
  journal.entries.clear();
  bool openWhenStopped = false;
  clock.onSleep = [&] { openWhenStopped = port.IsOpen() && !runner.Running(); };
  memory.SurfaceSend(Bytes{0xBF, 0x13, 0x05});
  link.serial.StopLink();
  EXPECT_TRUE(openWhenStopped);
  EXPECT_EQ(Sent(), std::vector<std::string>{"stop"});

  // Stopping again, or with nothing open, does nothing.
  link.serial.StopLink();
  EXPECT_EQ(Sent(), std::vector<std::string>{"stop"});
}

}  // namespace
}  // namespace quorbel

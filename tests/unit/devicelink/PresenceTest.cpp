#include <gtest/gtest.h>

#include "tests/unit/devicelink/LinkFixture.h"

namespace quorbel {
namespace {

const std::string kRequest = "F0 7D 25 03 F7";

class PresenceTest : public LinkTest {
 protected:
  PresenceTest() {
    memory.AddPort(2);
    settings = {2, 38400};
  }

  // The port open with its device thread running, as after start-up, and the
  // journal cleared.
  void RunningLink() {
    link.serial.OpenAtStartup();
    ASSERT_TRUE(runner.Running());
    journal.entries.clear();
  }

  static Bytes Concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  }

  // Everything the probe handed back to the device thread.
  Bytes GivenBack() const {
    Bytes bytes;
    for (const auto& e : journal.entries) {
      if (e.what == "giveback") bytes.insert(bytes.end(), e.bytes.begin(), e.bytes.end());
    }
    return bytes;
  }

  std::vector<std::uint32_t> RequestTimes() const {
    std::vector<std::uint32_t> times;
    for (const auto& e : journal.entries) {
      if (e.what == "write" && e.bytes == kIdentityRequest) times.push_back(e.tickMs);
    }
    return times;
  }
};

TEST_F(PresenceTest, AnsweringSurfaceIsAskedOnceNamedInTheCaptionAndInitialised) {
  port.reply = kIdentityReply;
  ASSERT_TRUE(link.serial.OpenLink());
  EXPECT_EQ(Writes(), Join({{kRequest}, InitialisationWrites()}));
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
  EXPECT_TRUE(link.presence.SurfaceAnswers());
  EXPECT_EQ(memory.BytesPending(), 0U);
}

TEST_F(PresenceTest, SurfaceThatAnsweredBeforeIsNotInitialisedAgain) {
  port.reply = kIdentityReply;
  RunningLink();
  link.status.StatusTick();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"hold", kRequest, "letgo"}));
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
}

TEST_F(PresenceTest, SilentSurfaceGetsFourRequests120MsApartAndNothingElse) {
  ASSERT_TRUE(link.serial.OpenLink());
  EXPECT_EQ(Writes(), std::vector<std::string>(4, kRequest));
  EXPECT_EQ(RequestTimes(), (std::vector<std::uint32_t>{0, 120, 240, 360}));
  EXPECT_EQ(clock.SleptMs(), 480);
  EXPECT_EQ(Caption(), "Quorbel Not Active");
  EXPECT_FALSE(link.presence.SurfaceAnswers());
  EXPECT_FALSE(AnyPortMarkChecked());
}

TEST_F(PresenceTest, ShortOrForeignRepliesCountAsNoAnswer) {
  Bytes tenBytes(kIdentityReply.begin(), kIdentityReply.end() - 1);
  Bytes foreign = kIdentityReply;
  foreign[3] = 0x04;
  // Ten bytes once, which then wait unread; eleven foreign bytes every time.
  for (auto [reply, answers] : {std::pair{tenBytes, 1}, std::pair{foreign, 4}}) {
    journal.entries.clear();
    port.reply = reply;
    port.answersLeft = answers;
    link.serial.StopLink();
    ASSERT_TRUE(link.serial.OpenLink());
    EXPECT_EQ(RequestTimes().size(), 4U);
    EXPECT_EQ(Caption(), "Quorbel Not Active");
    EXPECT_FALSE(link.presence.SurfaceAnswers());
  }
}

TEST_F(PresenceTest, ASurfaceThatAlwaysRepliesTenBytesNeverCountsAsAnswering) {
  port.reply = Bytes(kIdentityReply.begin(), kIdentityReply.end() - 1);
  ASSERT_TRUE(link.serial.OpenLink());
  EXPECT_EQ(RequestTimes().size(), 4U);
  EXPECT_EQ(Caption(), "Quorbel Not Active");
  EXPECT_FALSE(link.presence.SurfaceAnswers());
}

TEST_F(PresenceTest, AReplyWholeAtTheEndOfTheWaitCountsForThatAttempt) {
  bool sent = false;
  // The reply to the first request is whole only in the last pause of its wait.
  clock.onSleep = [&] {
    if (!sent && clock.TickMs() == 120) {
      memory.SurfaceSend(kIdentityReply);
      sent = true;
    }
  };
  ASSERT_TRUE(link.serial.OpenLink());
  EXPECT_EQ(RequestTimes().size(), 1U);
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
}

// A key pressed just as the probe asks arrives among the reply's bytes: it is
// handed to the device thread, whole and in order, and the reply still counts.
TEST_F(PresenceTest, PressesArrivingWithTheReplyGoToTheDeviceThread) {
  port.reply = kIdentityReply;
  RunningLink();
  port.reply = Concat({{0xBF, 0x12, 0x20, 0xBF, 0x13, 0x20}, kIdentityReply, {0xBF, 0x12, 0x21}});
  link.status.StatusTick();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"hold", kRequest, "giveback", "letgo"}));
  EXPECT_EQ(GivenBack(), (Bytes{0xBF, 0x12, 0x20, 0xBF, 0x13, 0x20, 0xBF, 0x12, 0x21}));
  EXPECT_TRUE(link.presence.SurfaceAnswers());
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
  EXPECT_EQ(memory.BytesPending(), 0U);
}

TEST_F(PresenceTest, APressBesideATooShortReplyIsKeptAndTheShortReplyDropped) {
  port.reply = kIdentityReply;
  RunningLink();
  port.reply =
      Concat({{0xBF, 0x12, 0x20}, Bytes(kIdentityReply.begin(), kIdentityReply.begin() + 7)});
  port.answersLeft = 1;
  link.status.StatusTick();
  EXPECT_EQ(
      Sent(),
      Join({{"hold", kRequest, "giveback"}, std::vector<std::string>(3, kRequest), {"letgo"}}));
  EXPECT_EQ(GivenBack(), (Bytes{0xBF, 0x12, 0x20}));
  EXPECT_FALSE(link.presence.SurfaceAnswers());
  EXPECT_EQ(memory.BytesPending(), 0U);
}

TEST_F(PresenceTest, DiscardingProbeDropsWhatArrivedBeforeTheRequest) {
  ASSERT_TRUE(port.Open(2, 38400));
  memory.SurfaceSend(kIdentityReply);
  link.presence.Probe(ProbeMode::Discarding);
  EXPECT_EQ(Caption(), "Quorbel Not Active");
  EXPECT_EQ(RequestTimes().size(), 4U);
}

TEST_F(PresenceTest, ThreadIsHeldFromBeforeTheFirstRequestUntilAfterTheLast) {
  RunningLink();
  link.status.StatusTick();
  EXPECT_EQ(Sent(), Join({{"hold"}, std::vector<std::string>(4, kRequest), {"letgo"}}));
}

TEST_F(PresenceTest, StatusTickWithBytesWaitingInitialisesEveryTime) {
  port.reply = kIdentityReply;
  RunningLink();
  for (int tick = 0; tick < 2; ++tick) {
    journal.entries.clear();
    toolkit.SetText("main", 0, "something else");
    memory.SurfaceSend(Bytes{0xBF, 0x65, 0x40});
    link.status.StatusTick();
    EXPECT_EQ(Caption(), "QuorbelU");
    EXPECT_EQ(Writes(), InitialisationWrites());
    EXPECT_EQ(CountOf(kRequest), 0);
    EXPECT_TRUE(link.presence.SurfaceAnswers());
    memory.DiscardPending();
  }
}

TEST_F(PresenceTest, SurfaceSwitchedOnLaterIsFoundAndInitialisedByATick) {
  RunningLink();
  EXPECT_EQ(Caption(), "Quorbel Not Active");
  port.reply = kIdentityReply;
  link.status.StatusTick();
  EXPECT_EQ(Caption(), "Quorbel - Cubase");
  EXPECT_EQ(CountOf("F0 7D 25 02 01 01 00 00 F7"), 1);
  EXPECT_TRUE(toolkit.MenuChecked("main", 1642));
}

TEST_F(PresenceTest, NothingHappensWithoutAnOpenPort) {
  link.presence.Probe(ProbeMode::Listening);
  link.presence.Probe(ProbeMode::Discarding);
  EXPECT_EQ(Caption(), "QuorbelU");
  EXPECT_TRUE(journal.entries.empty());
}

}  // namespace
}  // namespace quorbel

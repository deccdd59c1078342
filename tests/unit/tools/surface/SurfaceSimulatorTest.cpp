#include "tools/surface/SurfaceSimulator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorbel::surfacetool {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Bytes = std::vector<std::uint8_t>;

const Bytes kIdentityRequest{0xF0, 0x7D, 0x25, 0x03, 0xF7};

Bytes DisplayText(std::uint8_t position, const std::string& text) {
  Bytes bytes{0xBF, 0x14, position};
  for (char c : text) bytes.insert(bytes.end(), {0xBF, 0x15, static_cast<std::uint8_t>(c)});
  return bytes;
}

std::vector<Bytes> SentBytes(const std::vector<Outgoing>& outgoing) {
  std::vector<Bytes> bytes;
  for (const auto& o : outgoing) bytes.push_back(o.bytes);
  return bytes;
}

TEST(SurfaceStateTest, InitialisationFromTheProgramShowsAsLampsDisplayAndCounts) {
  SurfaceSimulator surface;
  Bytes init{0xF0, 0x7D, 0x25, 0x02, 0x01, 0x01, 0x00, 0x00, 0xF7};
  const Bytes greeting = DisplayText(2, "Brenlow Electronics Quorbel Series");
  const Bytes layer = DisplayText(72, "Current Keyset Layer 2");
  init.insert(init.end(), greeting.begin(), greeting.end());
  init.insert(init.end(), layer.begin(), layer.end());
  init.insert(init.end(), {0xBF, 0x12, 0x14, 0xBF, 0x67, 0x00});
  for (int i = 0; i < 8; ++i) init.insert(init.end(), {0xBF, 0x68, 0x7D});

  surface.Receive(init, 0);

  EXPECT_THAT(surface.StateLines(),
              ElementsAre("lamps 20", "display 2 \"Brenlow Electronics Quorbel Series\"",
                          "display 72 \"Current Keyset Layer 2\"", "config 1", "closing 1 8",
                          "identity 0", "unknown 0", "answer normal", "log off", "end state"));
}

TEST(SurfaceStateTest, LampsFollowOnAndOffAndIgnoreIndicesPastTheLast) {
  SurfaceSimulator surface;
  surface.Receive(Bytes{0xBF, 0x12, 0x05, 0xBF, 0x12, 0x7F, 0xBF, 0x12, 0x3B, 0xBF, 0x13, 0x05,
                        0xBF, 0x12, 0x80},
                  0);
  EXPECT_FALSE(surface.State().LampOn(5));
  EXPECT_TRUE(surface.State().LampOn(59));
  EXPECT_TRUE(surface.State().LampOn(127));
  EXPECT_EQ(surface.State().Describe().front(), "lamps 59 127");
}

TEST(SurfaceStateTest, MessagesSplitAcrossReadsAndStrayBytesAreTakenApartCorrectly) {
  SurfaceSimulator surface;
  surface.SetLogging(true);
  std::vector<std::string> log;
  for (const Bytes& chunk : {Bytes{0x00, 0xBF}, Bytes{0x14}, Bytes{0x00, 0xBF, 0x15, 'H', 0xF0},
                             Bytes{0x7D, 0x25, 0x03}, Bytes{0xF7, 0xF0, 0x7D, 0xBF, 0x15, 'i'}}) {
    for (auto& line : surface.Receive(chunk, 0)) log.push_back(line);
  }
  EXPECT_THAT(log, ElementsAre("recv 00", "recv BF 14 00", "recv BF 15 48", "recv F0 7D 25 03 F7",
                               "recv F0 7D", "recv BF 15 69"));
  EXPECT_EQ(surface.State().DisplayAt(0), "Hi");
  EXPECT_EQ(surface.State().Count(ProgramMessage::IdentityRequest), 1);
  // The stray 00 and the exclusive message cut short by BF.
  EXPECT_EQ(surface.State().Count(ProgramMessage::Unknown), 2);
}

TEST(SurfaceStateTest, DisplayTextIsQuotedSafelyAndStopsAtTheLastCell) {
  SurfaceSimulator surface;
  surface.Receive(DisplayText(125, "a\"\\b"), 0);
  surface.Receive(DisplayText(0, std::string(1, '\x01')), 0);
  const auto lines = surface.State().Describe();
  EXPECT_EQ(lines[1], "display 0 \"\\x01\"");
  EXPECT_EQ(lines[2], "display 125 \"a\\\"\\\\\"");
}

TEST(IdentityAnswerTest, NormalAnswerIsElevenBytesAtOnceAndCountsTheRequest) {
  SurfaceSimulator surface;
  surface.Receive(kIdentityRequest, 1000);
  const auto due = surface.TakeDue(1000);
  ASSERT_EQ(due.size(), 1U);
  EXPECT_TRUE(due[0].isReply);
  EXPECT_EQ(due[0].bytes.size(), 11U);
  EXPECT_THAT((Bytes{due[0].bytes.begin(), due[0].bytes.begin() + 4}),
              ElementsAre(0xF0, 0x7D, 0x25, 0x03));
  EXPECT_EQ(due[0].bytes.back(), 0xF7);
  EXPECT_EQ(surface.State().Count(ProgramMessage::IdentityRequest), 1);
}

TEST(IdentityAnswerTest, SilentSendsNothingAndShortSendsTenBytes) {
  SurfaceSimulator surface;
  surface.SetAnswer(AnswerMode::Silent, 0);
  surface.Receive(kIdentityRequest, 0);
  EXPECT_FALSE(surface.NextDue().has_value());

  surface.SetAnswer(AnswerMode::Short, 0);
  surface.Receive(kIdentityRequest, 0);
  const auto due = surface.TakeDue(0);
  ASSERT_EQ(due.size(), 1U);
  EXPECT_EQ(due[0].bytes.size(), 10U);
  EXPECT_EQ(due[0].bytes[3], 0x03);
  EXPECT_EQ(surface.State().Count(ProgramMessage::IdentityRequest), 2);
}

TEST(IdentityAnswerTest, LateAnswerWaitsItsDelayWhileOtherBytesGoAhead) {
  SurfaceSimulator surface;
  surface.SetAnswer(AnswerMode::Late, 150);
  surface.Receive(kIdentityRequest, 1000);
  surface.Send({0xBF, 0x12, 0x01}, 1010);
  EXPECT_EQ(surface.NextDue(), 1010U);

  EXPECT_THAT(SentBytes(surface.TakeDue(1149)), ElementsAre(Bytes{0xBF, 0x12, 0x01}));
  EXPECT_EQ(surface.NextDue(), 1150U);
  EXPECT_THAT(SentBytes(surface.TakeDue(1150)), ElementsAre(SurfaceSimulator::IdentityReply()));
  EXPECT_FALSE(surface.NextDue().has_value());
}

TEST(IdentityAnswerTest, UnplugForgetsAnswersStillWaiting) {
  SurfaceSimulator surface;
  surface.SetAnswer(AnswerMode::Late, 50);
  surface.Receive(kIdentityRequest, 0);
  surface.DropQueued();
  EXPECT_THAT(surface.TakeDue(100), IsEmpty());
}

TEST(IdentityAnswerTest, OnlyTheExactRequestIsAnswered) {
  SurfaceSimulator surface;
  surface.Receive(Bytes{0xF0, 0x7D, 0x25, 0x04, 0xF7, 0xF0, 0x7D, 0x25, 0x03, 0x00, 0xF7}, 0);
  EXPECT_FALSE(surface.NextDue().has_value());
}

}  // namespace
}  // namespace quorbel::surfacetool

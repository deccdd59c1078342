#include "device/SurfaceDecoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "common/Types.h"

namespace quorbel {
namespace {

using Kind = SurfaceEventKind;

std::vector<SurfaceEvent> FeedAll(SurfaceDecoder& decoder, std::initializer_list<int> bytes) {
  std::vector<SurfaceEvent> events;
  for (int b : bytes) {
    if (auto event = decoder.Feed(static_cast<std::uint8_t>(b))) events.push_back(*event);
  }
  return events;
}

std::vector<SurfaceEvent> Decode(std::initializer_list<int> bytes) {
  SurfaceDecoder decoder;
  return FeedAll(decoder, bytes);
}

SurfaceEvent Message(int kind, int value) {
  return DecodeMessage(static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(value));
}

const SurfaceEvent kIgnored{Kind::Ignored, 0, 0};

TEST(SurfaceDecoder, DropsBytesUntilAStartByte) {
  EXPECT_EQ(Decode({0x00, 0xBF, 0x12, 0x05}), (std::vector<SurfaceEvent>{{Kind::Press, 5, 0}}));
  // Out of step: the tail of a message is dropped byte by byte.
  EXPECT_EQ(Decode({0x12, 0x05, 0x7F, 0xBF, 0x13, 0x05}),
            (std::vector<SurfaceEvent>{{Kind::Release, 5, 0}}));
}

TEST(SurfaceDecoder, WaitsForTheThirdByte) {
  SurfaceDecoder decoder;
  EXPECT_TRUE(FeedAll(decoder, {0xBF, 0x12}).empty());
  EXPECT_EQ(FeedAll(decoder, {0x3B}), (std::vector<SurfaceEvent>{{Kind::Press, 59, 0}}));
  EXPECT_EQ(FeedAll(decoder, {0xBF, 0x12, 0x14}),
            (std::vector<SurfaceEvent>{{Kind::Press, 20, 0}}));
}

TEST(SurfaceDecoder, StartByteAsKindOrValueIsTakenAsItComes) {
  // BF BF 12: a message of kind BF, value 12.
  EXPECT_EQ(Decode({0xBF, 0xBF, 0x12, 0xBF, 0x12, 0x05}),
            (std::vector<SurfaceEvent>{kIgnored, {Kind::Press, 5, 0}}));
  // A value of BF closes the message; the next BF starts a new one.
  EXPECT_EQ(Decode({0xBF, 0x65, 0xBF, 0xBF, 0x13, 0x01}),
            (std::vector<SurfaceEvent>{{Kind::JogStep, 127, 0}, {Kind::Release, 1, 0}}));
}

TEST(SurfaceDecoder, ShuttleValueIsASevenBitPosition) {
  EXPECT_EQ(Message(0x66, 0x00), (SurfaceEvent{Kind::ShuttlePosition, 58, 0}));
  EXPECT_EQ(Message(0x66, 0x01), (SurfaceEvent{Kind::ShuttlePosition, 81, 1}));
  EXPECT_EQ(Message(0x66, 0x0D), (SurfaceEvent{Kind::ShuttlePosition, 93, 13}));
  EXPECT_EQ(Message(0x66, 0x7F), (SurfaceEvent{Kind::ShuttlePosition, 61, -1}));
  EXPECT_EQ(Message(0x66, 0x73), (SurfaceEvent{Kind::ShuttlePosition, 73, -13}));
  EXPECT_EQ(Message(0x66, 0x40), (SurfaceEvent{Kind::ShuttlePosition, 124, -64}));
}

TEST(SurfaceDecoder, ShuttleBeyondControl127IsDropped) {
  EXPECT_EQ(Message(0x66, 47), (SurfaceEvent{Kind::ShuttlePosition, 127, 47}));
  EXPECT_EQ(Message(0x66, 48), kIgnored);
  EXPECT_EQ(Message(0x66, 0x3F), kIgnored);
  EXPECT_EQ(Message(0x66, 0x80), kIgnored);  // not the centre
  EXPECT_EQ(Message(0x66, 0xFF), kIgnored);  // not reverse 1
}

TEST(SurfaceDecoder, JogDirectionIsBitSix) {
  EXPECT_EQ(Message(0x65, 0x40).control, 126);
  EXPECT_EQ(Message(0x65, 0x7F).control, 126);
  EXPECT_EQ(Message(0x65, 0xC0).control, 126);
  EXPECT_EQ(Message(0x65, 0x3F).control, 127);
  EXPECT_EQ(Message(0x65, 0x01).control, 127);
  EXPECT_EQ(Message(0x65, 0x80).control, 127);
  EXPECT_EQ(Message(0x65, 0x40).kind, Kind::JogStep);
}

TEST(SurfaceDecoder, PressesAndReleasesNameTheirControl) {
  EXPECT_EQ(Message(0x12, 0x00), (SurfaceEvent{Kind::Press, 0, 0}));
  EXPECT_EQ(Message(0x12, 0x7F), (SurfaceEvent{Kind::Press, 127, 0}));
  EXPECT_EQ(Message(0x12, 0x80), kIgnored);
  EXPECT_EQ(Message(0x12, 0xFF), kIgnored);
  EXPECT_EQ(Message(0x13, 0x3B), (SurfaceEvent{Kind::Release, 59, 0}));
  // A bad release still counts as a release.
  EXPECT_EQ(Message(0x13, 0x85).kind, Kind::Release);
}

TEST(SurfaceDecoder, OtherKindsAreIgnored) {
  for (int kind : {0x00, 0x11, 0x14, 0x64, 0x67, 0x7F, 0xBF, 0xF0}) {
    EXPECT_EQ(Message(kind, 0x05), kIgnored) << kind;
  }
}

TEST(SurfaceDecoder, NoMessageGivesAControlOutsideTheTable) {
  for (int kind = 0; kind < 256; ++kind) {
    for (int value = 0; value < 256; ++value) {
      SurfaceDecoder decoder;
      const auto events = FeedAll(decoder, {0xBF, kind, value});
      ASSERT_EQ(events.size(), 1u);
      ASSERT_TRUE(IsControlIndex(events[0].control)) << kind << " " << value;
      if (events[0].kind == Kind::ShuttlePosition) {
        ASSERT_EQ(ShuttleControl(events[0].position), events[0].control);
      }
    }
  }
}

}  // namespace
}  // namespace quorbel

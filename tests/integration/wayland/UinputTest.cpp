// The uinput devices' events as the kernel reads them: each written into a
// pipe in place of /dev/uinput and read back as struct input_event records.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/linux/wayland/UinputInput.h"

namespace quorbel {
namespace {

using Events = std::vector<std::string>;

// One end of a pipe for the device to write to, the other for the test.
struct Pipe {
  Pipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("no pipe");
    readEnd = ends[0];
    writeEnd = ends[1];
  }
  ~Pipe() { ::close(readEnd); }

  // What was written since the last call, one text per event: "KEY 29 1",
  // "SYN", "ABS 0 123". The byte count must be whole records.
  Events Take() const {
    std::vector<char> bytes(65536);
    const ssize_t got = ::read(readEnd, bytes.data(), bytes.size());
    Events events;
    if (got <= 0) return events;
    EXPECT_EQ(static_cast<std::size_t>(got) % sizeof(input_event), 0u);
    for (std::size_t at = 0; at + sizeof(input_event) <= static_cast<std::size_t>(got);
         at += sizeof(input_event)) {
      input_event e{};
      std::memcpy(&e, bytes.data() + at, sizeof e);
      if (e.type == EV_SYN && e.code == SYN_REPORT && e.value == 0) {
        events.push_back("SYN");
      } else {
        const char* type = e.type == EV_KEY ? "KEY" : e.type == EV_ABS ? "ABS" : "?";
        events.push_back(std::string(type) + " " + std::to_string(e.code) + " " +
                         std::to_string(e.value));
      }
    }
    return events;
  }

  int readEnd = -1;
  int writeEnd = -1;
};

std::string Key(int code, bool down) {
  return "KEY " + std::to_string(code) + (down ? " 1" : " 0");
}

class UinputEvents : public ::testing::Test {
 protected:
  std::unique_ptr<UinputInput> Make(const std::string& layoutName) {
    auto layout = wayland::LayoutKeys::ForLayout(layoutName);
    if (!layout) throw std::runtime_error("no layout " + layoutName);
    UinputInput::Geometry geometry{[] {
                                     return std::optional<wayland::Rect>({0, 0, 1921, 1081});
                                   },
                                   [](WindowId, Point p) {
                                     return Point{p.x + 100, p.y + 10};
                                   }};
    return std::make_unique<UinputInput>(
        std::make_unique<wayland::EventFile>(keys.writeEnd),
        std::make_unique<wayland::EventFile>(pointer.writeEnd), std::move(*layout), geometry,
        [this](const std::string& what) { complaints.push_back(what); });
  }

  Pipe keys;
  Pipe pointer;
  std::vector<std::string> complaints;
};

TEST_F(UinputEvents, AStepsModifiersGoDownInOrderEachKeyReportedAndComeUpInReverse) {
  auto input = Make("us");
  input->KeyDown(0x11);  // ctrl
  input->KeyDown(0x10);  // shift
  input->KeyDown('S');
  input->KeyUp('S');
  input->KeyUp(0x10);
  input->KeyUp(0x11);
  EXPECT_EQ(keys.Take(),
            (Events{Key(KEY_LEFTCTRL, true), "SYN", Key(KEY_LEFTSHIFT, true), "SYN",
                    Key(KEY_S, true), "SYN", Key(KEY_S, false), "SYN", Key(KEY_LEFTSHIFT, false),
                    "SYN", Key(KEY_LEFTCTRL, false), "SYN"}));
  // Keypad keys are the keypad's, whatever Num Lock makes of them.
  input->KeyDown(0x61);
  input->KeyUp(0x61);
  EXPECT_EQ(keys.Take(), (Events{Key(KEY_KP1, true), "SYN", Key(KEY_KP1, false), "SYN"}));
}

TEST_F(UinputEvents, KeysStillHeldAreReleasedInReverseWhenTheInputGoesAway) {
  auto input = Make("us");
  input->KeyDown(0x12);  // alt
  input->CharacterDown(U'A');
  keys.Take();
  input.reset();
  EXPECT_EQ(keys.Take(), (Events{Key(KEY_A, false), "SYN", Key(KEY_LEFTSHIFT, false), "SYN",
                                 Key(KEY_LEFTALT, false), "SYN"}));
}

TEST_F(UinputEvents, LettersAndCharactersFollowTheSessionsLayout) {
  auto input = Make("de");
  // On a German keyboard Z and Y have swapped places.
  input->KeyDown('Z');
  input->KeyUp('Z');
  EXPECT_EQ(keys.Take(), (Events{Key(KEY_Y, true), "SYN", Key(KEY_Y, false), "SYN"}));
  // "@" is AltGr+Q there: the AltGr goes down first and comes up last.
  input->CharacterDown(U'@');
  input->CharacterUp(U'@');
  EXPECT_EQ(keys.Take(), (Events{Key(KEY_RIGHTALT, true), "SYN", Key(KEY_Q, true), "SYN",
                                 Key(KEY_Q, false), "SYN", Key(KEY_RIGHTALT, false), "SYN"}));
  // A Shift the step holds already gives the level; none is added.
  input->KeyDown(0x10);
  input->CharacterDown(U'A');
  input->CharacterUp(U'A');
  input->KeyUp(0x10);
  EXPECT_EQ(keys.Take(), (Events{Key(KEY_LEFTSHIFT, true), "SYN", Key(KEY_A, true), "SYN",
                                 Key(KEY_A, false), "SYN", Key(KEY_LEFTSHIFT, false), "SYN"}));
}

TEST_F(UinputEvents, ASymbolTheLayoutLacksIsLeftOutAndNamedOnce) {
  auto input = Make("us");
  input->CharacterDown(U'\u20AC');
  input->CharacterUp(U'\u20AC');
  input->CharacterDown(U'\u20AC');
  EXPECT_TRUE(keys.Take().empty());
  EXPECT_EQ(complaints,
            (std::vector<std::string>{"the keyboard layout has no key for \"EuroSign\": it is "
                                      "not typed"}));
}

TEST_F(UinputEvents, AClickAtAClientPointMovesTheAbsolutePointerThere) {
  auto input = Make("us");
  const Point screen = input->ClientToScreen(7, Point{860, 530});
  input->SetCursor(screen);
  input->Click(MouseButton::Right);
  // 960 of 0..1920 and 540 of 0..1080: the middle of both axes.
  EXPECT_EQ(pointer.Take(), (Events{"ABS 0 32767", "ABS 1 32767", "SYN", Key(BTN_RIGHT, true),
                                    "SYN", Key(BTN_RIGHT, false), "SYN"}));
  input->SetCursor(Point{5000, -3});
  EXPECT_EQ(pointer.Take(), (Events{"ABS 0 65535", "ABS 1 0", "SYN"}));
}

}  // namespace
}  // namespace quorbel

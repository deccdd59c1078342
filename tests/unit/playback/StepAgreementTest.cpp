// The text the editor shows for a step and what playback does with it come
// from one reading of the key code; every code a file can hold is run through
// both here.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "common/CodePage437Text.h"
#include "editor/ActionText.h"
#include "tests/unit/playback/PlaybackFixture.h"

namespace quorbel {
namespace {

class StepAgreementTest : public PlaybackFixture {
 protected:
  struct Outcome {
    std::string text;
    std::vector<std::string> played;
    std::size_t waits = 0;
  };

  Outcome Run(std::int32_t keyCode, std::int32_t modifiers) {
    input.Clear();
    const std::size_t waitsBefore = wait.Waits().size();
    const Step step{-1, -1, keyCode, modifiers, 0};
    SetSequence({step});
    Outcome outcome;
    {
      auto model = keysets.Lock();
      outcome.text = ActionText(model->Current(), kControl, 1, catalogue);
    }
    playback.Play(kControl, kTarget);
    outcome.played = Played();
    outcome.waits = wait.Waits().size() - waitsBefore;
    return outcome;
  }

  // Why the text and the playback of one code disagree; empty when they agree.
  std::string Disagreement(std::int32_t keyCode, std::int32_t modifiers) {
    const Outcome o = Run(keyCode, modifiers);
    const std::string prefix = (modifiers & kShift) != 0 ? "shft+" : "";
    if (o.text.empty()) return keyCode == 0 && o.played.empty() ? "" : "empty text plays";
    if (!o.text.starts_with(prefix)) return "no modifier prefix: " + o.text;
    const std::string body = o.text.substr(prefix.size());
    const auto clicks = [&](const std::string& click) {
      return o.played == std::vector<std::string>{click} && o.waits == 1;
    };
    if (body == "Left Mouse") return clicks("click left") ? "" : body;
    if (body == "Right Mouse") return clicks("click right") ? "" : body;
    if (body == "Center Mouse") return clicks("click middle") ? "" : body;
    if (body == "Alt Wheel Sel") return o.played.empty() && o.waits == 1 ? "" : body;
    if (body == catalogue.ControlName(kControl))
      return o.played.empty() ? "" : "control name plays";

    // A key step: the modifier around exactly one key.
    std::vector<std::string> keys = o.played;
    if (!prefix.empty()) {
      if (keys.size() != 4 || keys.front() != "down 16" || keys.back() != "up 16") return body;
      keys = {keys[1], keys[2]};
    }
    if (keys.size() != 2) return "not one key: " + body;
    if (keys[0].starts_with("char down U+")) return TypedDisagreement(body, keys);
    if (!keys[0].starts_with("down ")) return "not one key: " + body;
    const int key = std::stoi(keys[0].substr(5));
    if (keys[1] != "up " + std::to_string(key)) return "not one key: " + body;
    // A letter or digit plays through its key; anything else with a key is
    // that key's name.
    if (body.size() == 1 && std::isalnum(static_cast<unsigned char>(body[0]))) {
      return key == std::toupper(static_cast<unsigned char>(body[0])) ? ""
                                                                      : body + " plays another key";
    }
    return catalogue.KeyName(key) == body ? "" : body + " plays key " + std::to_string(key);
  }

  // A character typed as itself is the character shown.
  static std::string TypedDisagreement(const std::string& body,
                                       const std::vector<std::string>& keys) {
    const std::string number = keys[0].substr(std::string("char down U+").size());
    if (keys[1] != "char up U+" + number) return "not one character: " + body;
    const auto typed = static_cast<char32_t>(std::stoul(number, nullptr, 16));
    return Utf8Text(typed) == body ? "" : body + " types U+" + number;
  }
};

TEST_F(StepAgreementTest, EveryKeyCodeShowsWhatItPlays) {
#if defined(__SANITIZE_THREAD__)
  // One thread sweeping 131,000 steps: the thread sanitizer has nothing to
  // find here and makes the sweep take minutes instead of two seconds.
  GTEST_SKIP() << "a single-threaded sweep";
#endif
  std::vector<std::int32_t> codes;
  for (std::int32_t code = 0; code <= 0xFFFF; ++code) codes.push_back(code);
  for (std::int32_t high : {0x10000, 0x7FFF0000, static_cast<std::int32_t>(0x80000000)}) {
    for (std::int32_t low : {0x0, 0x41, 0x15B, 0x805B, 0x1000}) codes.push_back(high | low);
  }
  int disagreements = 0;
  for (std::int32_t code : codes) {
    for (std::int32_t modifiers : {0, static_cast<int>(kShift)}) {
      const std::string why = Disagreement(code, modifiers);
      if (!why.empty() && ++disagreements <= 10) {
        ADD_FAILURE() << "code 0x" << std::hex << code << " modifiers " << modifiers << ": " << why;
      }
    }
  }
  EXPECT_EQ(disagreements, 0);
}

TEST_F(StepAgreementTest, AMouseBitMakesAMouseStepWhateverTheLowByteHolds) {
  const Outcome windowsKey = Run(0x805B, 0);
  EXPECT_EQ(windowsKey.text, "Left Mouse");
  EXPECT_EQ(windowsKey.played, std::vector<std::string>{"click left"});
  const Outcome letter = Run(kAltWheelSelector | 'A', kCtrl);
  EXPECT_EQ(letter.text, "ctrl+Alt Wheel Sel");
  EXPECT_TRUE(letter.played.empty());
}

TEST_F(StepAgreementTest, ACodeThatNamesNoKeyReadsAsTheControlAndPressesNothing) {
  for (std::int32_t code : {kNamedKey, 0x200, 0x10000}) {
    const Outcome o = Run(code, kCtrl);
    EXPECT_EQ(o.text, "ctrl+Play") << code;
    EXPECT_TRUE(o.played.empty()) << code;
    EXPECT_EQ(o.waits, 0u) << code;
  }
  EXPECT_EQ(Run('x', 0).played, (std::vector<std::string>{"down 88", "up 88"}));
}

TEST_F(StepAgreementTest, APlainCodeTypesTheCharacterItShows) {
  using Played = std::vector<std::string>;
  const auto typed = [](const std::string& u) { return Played{"char down " + u, "char up " + u}; };
  struct Case {
    std::int32_t code;
    const char* text;
    const char* character;
  };
  for (const Case c :
       {Case{132, "\u00e4", "U+00E4"}, Case{142, "\u00e4", "U+00E4"}, Case{225, "\u00df", "U+00DF"},
        Case{21, "\u00a7", "U+00A7"}, Case{20, "\u00b6", "U+00B6"}, Case{156, "\u00a3", "U+00A3"},
        Case{',', ",", "U+002C"}, Case{'[', "[", "U+005B"}, Case{192, "`", "U+0060"}}) {
    const Outcome o = Run(c.code, 0);
    EXPECT_EQ(o.text, c.text) << c.code;
    EXPECT_EQ(o.played, typed(c.character)) << c.code;
  }
  // Letters and digits keep their keys.
  EXPECT_EQ(Run('7', 0).played, (Played{"down 55", "up 55"}));
}

TEST_F(StepAgreementTest, APlainControlCodeIsItsNamedKeyOrNothing) {
  const Outcome enter = Run(13, 0);
  EXPECT_EQ(enter.text, "Enter");
  EXPECT_EQ(enter.played, (std::vector<std::string>{"down 13", "up 13"}));
  for (std::int32_t code : {1, 12, 31, 127}) {
    const Outcome o = Run(code, 0);
    EXPECT_EQ(o.text, "Play") << code;
    EXPECT_TRUE(o.played.empty()) << code;
  }
}

}  // namespace
}  // namespace quorbel

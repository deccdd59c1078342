#include "tools/surface/ScriptCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "tools/surface/ToolOptions.h"

namespace quorbel::surfacetool {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::uint8_t> Sent(std::string_view line) {
  const ParsedLine parsed = ParseCommandLine(line);
  EXPECT_EQ(parsed.error, "") << line;
  return parsed.command ? BytesToSend(*parsed.command) : std::vector<std::uint8_t>{};
}

std::string ErrorOf(std::string_view line) {
  const ParsedLine parsed = ParseCommandLine(line);
  EXPECT_FALSE(parsed.command.has_value()) << line;
  return parsed.error;
}

TEST(ScriptCommandTest, ControlCommandsSendTheSurfacesMessages) {
  EXPECT_THAT(Sent("press 59"), ElementsAre(0xBF, 0x12, 0x3B));
  EXPECT_THAT(Sent("  release\t127 "), ElementsAre(0xBF, 0x13, 0x7F));
  EXPECT_THAT(Sent("jog left 2"), ElementsAre(0xBF, 0x65, 0x40, 0xBF, 0x65, 0x40));
  EXPECT_THAT(Sent("jog up"), ElementsAre(0xBF, 0x65, 0x00));
  EXPECT_THAT(Sent("jog down"), ElementsAre(0xBF, 0x65, 0x40));
  EXPECT_THAT(Sent("raw bf 12 0500"), ElementsAre(0xBF, 0x12, 0x05, 0x00));
}

TEST(ScriptCommandTest, ShuttlePositionsAreSevenBitTwosComplement) {
  EXPECT_THAT(Sent("shuttle 0"), ElementsAre(0xBF, 0x66, 0x00));
  EXPECT_THAT(Sent("shuttle 13"), ElementsAre(0xBF, 0x66, 0x0D));
  EXPECT_THAT(Sent("shuttle 63"), ElementsAre(0xBF, 0x66, 0x3F));
  EXPECT_THAT(Sent("shuttle -1"), ElementsAre(0xBF, 0x66, 0x7F));
  EXPECT_THAT(Sent("shuttle -13"), ElementsAre(0xBF, 0x66, 0x73));
  EXPECT_THAT(Sent("shuttle -64"), ElementsAre(0xBF, 0x66, 0x40));
}

TEST(ScriptCommandTest, SettingsCommandsSendNothingAndCarryTheirValues) {
  const ParsedLine late = ParseCommandLine("answer late 250");
  ASSERT_TRUE(late.command.has_value());
  const auto* answer = std::get_if<command::Answer>(&*late.command);
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer->mode, AnswerMode::Late);
  EXPECT_EQ(answer->delayMs, 250U);
  EXPECT_THAT(BytesToSend(*late.command), IsEmpty());

  for (const char* line : {"", "   ", "# a comment"}) {
    const ParsedLine blank = ParseCommandLine(line);
    EXPECT_FALSE(blank.command.has_value());
    EXPECT_EQ(blank.error, "");
  }
}

TEST(ScriptCommandTest, MistakesGiveAMessageNamingTheProblem) {
  EXPECT_THAT(ErrorOf("presss 5"), HasSubstr("unknown command \"presss\""));
  EXPECT_THAT(ErrorOf("press"), HasSubstr("0..127"));
  EXPECT_THAT(ErrorOf("press 128"), HasSubstr("0..127"));
  EXPECT_THAT(ErrorOf("press 5x"), HasSubstr("0..127"));
  EXPECT_THAT(ErrorOf("jog sideways"), HasSubstr("left or right"));
  EXPECT_THAT(ErrorOf("jog left 0"), HasSubstr("count"));
  EXPECT_THAT(ErrorOf("shuttle 64"), HasSubstr("-64..63"));
  EXPECT_THAT(ErrorOf("shuttle -65"), HasSubstr("-64..63"));
  EXPECT_THAT(ErrorOf("raw"), HasSubstr("hex bytes"));
  EXPECT_THAT(ErrorOf("raw BF 1"), HasSubstr("\"1\" is not hex"));
  EXPECT_THAT(ErrorOf("answer late"), HasSubstr("milliseconds"));
  EXPECT_THAT(ErrorOf("answer loud"), HasSubstr("normal, silent, short or late"));
  EXPECT_THAT(ErrorOf("log maybe"), HasSubstr("on or off"));
  EXPECT_THAT(ErrorOf("state now"), HasSubstr("takes no arguments"));
}

ParsedOptions Options(std::initializer_list<const char*> arguments) {
  return ParseToolOptions(std::span<const char* const>(arguments.begin(), arguments.size()));
}

TEST(ToolOptionsTest, PortDirectoryAndStayAreReadAndBadValuesRefused) {
  const ParsedOptions defaults = Options({});
  EXPECT_EQ(defaults.options.port, 1);
  EXPECT_EQ(defaults.options.dir, ".");
  EXPECT_FALSE(defaults.options.stay);
  EXPECT_FALSE(defaults.options.window);

  const ParsedOptions given = Options({"--dir", "/tmp/x", "--port", "12", "--stay", "--window"});
  EXPECT_EQ(given.error, "");
  EXPECT_EQ(given.options.port, 12);
  EXPECT_EQ(given.options.dir, "/tmp/x");
  EXPECT_TRUE(given.options.stay);
  EXPECT_TRUE(given.options.window);

  EXPECT_THAT(Options({"--port", "33"}).error, HasSubstr("1..32"));
  EXPECT_THAT(Options({"--port", "0"}).error, HasSubstr("1..32"));
  EXPECT_THAT(Options({"--port"}).error, HasSubstr("needs a value"));
  EXPECT_THAT(Options({"--dir", ""}).error, HasSubstr("needs a value"));
  EXPECT_THAT(Options({"--verbose"}).error, HasSubstr("unexpected \"--verbose\""));
}

}  // namespace
}  // namespace quorbel::surfacetool

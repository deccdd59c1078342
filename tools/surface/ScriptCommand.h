#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tools/surface/SurfaceSimulator.h"

namespace quorbel::surfacetool {

// The commands of the simulated surface, one per input line.
namespace command {
struct Help {};
struct Press {
  int control = 0;
};
struct Release {
  int control = 0;
};
// `left` turns the wheel's left half (bit 6 set), otherwise its right half.
struct Jog {
  bool left = false;
  int count = 1;
};
struct Shuttle {
  int position = 0;
};
struct Raw {
  std::vector<std::uint8_t> bytes;
};
struct Answer {
  AnswerMode mode = AnswerMode::Normal;
  std::uint32_t delayMs = 0;
};
struct ShowState {};
struct Log {
  bool on = false;
};
struct Unplug {};
struct Plug {};
struct Quit {};
}  // namespace command

using Command = std::variant<command::Help, command::Press, command::Release, command::Jog,
                             command::Shuttle, command::Raw, command::Answer, command::ShowState,
                             command::Log, command::Unplug, command::Plug, command::Quit>;

// A parsed line: a command, an error message, or neither for a blank line or
// a comment starting with '#'.
struct ParsedLine {
  std::optional<Command> command;
  std::string error;
};

ParsedLine ParseCommandLine(std::string_view line);

// The bytes a press, release, jog, shuttle or raw command sends; empty for
// the other commands.
std::vector<std::uint8_t> BytesToSend(const Command& command);

// The text of the `help` command, one line each.
std::vector<std::string> HelpLines();

}  // namespace quorbel::surfacetool

#include "tools/surface/ScriptCommand.h"

#include <charconv>

#include "tools/surface/HexText.h"
#include "tools/surface/SurfaceBytes.h"

namespace quorbel::surfacetool {

namespace {

constexpr int kHighestControl = 127;
constexpr int kLongestJog = 1000;
constexpr int kShuttleBack = -64;
constexpr int kShuttleForward = 63;

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t\r", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

std::optional<int> Number(std::string_view word, int lowest, int highest) {
  int value = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  if (!word.empty() && word[0] == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || value < lowest || value > highest) return std::nullopt;
  return value;
}

std::string Range(int lowest, int highest) {
  return std::to_string(lowest) + ".." + std::to_string(highest);
}

ParsedLine Error(std::string message) { return {std::nullopt, std::move(message)}; }
ParsedLine Ok(Command command) { return {std::move(command), {}}; }

using Args = std::vector<std::string_view>;

ParsedLine ParseControl(const Args& args, bool press) {
  const std::string name = press ? "press" : "release";
  if (args.size() != 1)
    return Error(name + " needs one control index " + Range(0, kHighestControl));
  const auto control = Number(args[0], 0, kHighestControl);
  if (!control) return Error(name + ": control index must be " + Range(0, kHighestControl));
  if (press) return Ok(command::Press{*control});
  return Ok(command::Release{*control});
}

ParsedLine ParseJog(const Args& args) {
  if (args.empty() || args.size() > 2) return Error("jog needs left|right and an optional count");
  command::Jog jog;
  if (args[0] == "left" || args[0] == "down") {
    jog.left = true;
  } else if (args[0] != "right" && args[0] != "up") {
    return Error("jog: direction must be left or right (down or up)");
  }
  if (args.size() == 2) {
    const auto count = Number(args[1], 1, kLongestJog);
    if (!count) return Error("jog: count must be " + Range(1, kLongestJog));
    jog.count = *count;
  }
  return Ok(jog);
}

ParsedLine ParseShuttle(const Args& args) {
  const auto position =
      args.size() == 1 ? Number(args[0], kShuttleBack, kShuttleForward) : std::nullopt;
  if (!position) return Error("shuttle needs one position " + Range(kShuttleBack, kShuttleForward));
  return Ok(command::Shuttle{*position});
}

ParsedLine ParseRaw(const Args& args) {
  if (args.empty()) return Error("raw needs hex bytes, e.g. raw BF 12 05");
  command::Raw raw;
  for (std::string_view word : args) {
    const auto bytes = ParseHexWord(word);
    if (!bytes) return Error("raw: \"" + std::string(word) + "\" is not hex bytes");
    raw.bytes.insert(raw.bytes.end(), bytes->begin(), bytes->end());
  }
  return Ok(raw);
}

ParsedLine ParseAnswer(const Args& args) {
  const std::string usage = "answer needs normal, silent, short or late MS";
  if (args.empty()) return Error(usage);
  const std::string_view mode = args[0];
  if (mode == "late") {
    const auto delay = args.size() == 2 ? Number(args[1], 0, 60'000) : std::nullopt;
    if (!delay) return Error("answer late needs a delay in milliseconds 0..60000");
    return Ok(command::Answer{AnswerMode::Late, static_cast<std::uint32_t>(*delay)});
  }
  if (args.size() != 1) return Error(usage);
  if (mode == "normal") return Ok(command::Answer{AnswerMode::Normal, 0});
  if (mode == "silent") return Ok(command::Answer{AnswerMode::Silent, 0});
  if (mode == "short") return Ok(command::Answer{AnswerMode::Short, 0});
  return Error(usage);
}

ParsedLine ParseLog(const Args& args) {
  if (args.size() == 1 && args[0] == "on") return Ok(command::Log{true});
  if (args.size() == 1 && args[0] == "off") return Ok(command::Log{false});
  return Error("log needs on or off");
}

template <typename Bare>
ParsedLine NoArguments(const Args& args, const std::string& name) {
  if (!args.empty()) return Error(name + " takes no arguments");
  return Ok(Bare{});
}

}  // namespace

ParsedLine ParseCommandLine(std::string_view line) {
  Args words = Words(line);
  if (words.empty() || words[0].starts_with('#')) return {};
  const std::string name(words[0]);
  const Args args(words.begin() + 1, words.end());
  if (name == "press") return ParseControl(args, true);
  if (name == "release") return ParseControl(args, false);
  if (name == "jog") return ParseJog(args);
  if (name == "shuttle") return ParseShuttle(args);
  if (name == "raw") return ParseRaw(args);
  if (name == "answer") return ParseAnswer(args);
  if (name == "log") return ParseLog(args);
  if (name == "state") return NoArguments<command::ShowState>(args, name);
  if (name == "help") return NoArguments<command::Help>(args, name);
  if (name == "unplug") return NoArguments<command::Unplug>(args, name);
  if (name == "plug") return NoArguments<command::Plug>(args, name);
  if (name == "quit") return NoArguments<command::Quit>(args, name);
  return Error("unknown command \"" + name + "\"; help lists the commands");
}

std::vector<std::uint8_t> BytesToSend(const Command& command) {
  if (const auto* press = std::get_if<command::Press>(&command)) {
    return {kStart, kPress, static_cast<std::uint8_t>(press->control)};
  }
  if (const auto* release = std::get_if<command::Release>(&command)) {
    return {kStart, kRelease, static_cast<std::uint8_t>(release->control)};
  }
  if (const auto* jog = std::get_if<command::Jog>(&command)) {
    std::vector<std::uint8_t> bytes;
    for (int step = 0; step < jog->count; ++step) {
      bytes.insert(bytes.end(),
                   {kStart, kJogStep, static_cast<std::uint8_t>(jog->left ? kDirectionBit : 0x00)});
    }
    return bytes;
  }
  if (const auto* shuttle = std::get_if<command::Shuttle>(&command)) {
    // Seven-bit two's complement: -1 is 7F, -64 is 40.
    return {kStart, kShuttle, static_cast<std::uint8_t>(shuttle->position & 0x7F)};
  }
  if (const auto* raw = std::get_if<command::Raw>(&command)) return raw->bytes;
  return {};
}

std::vector<std::string> HelpLines() {
  return {
      "help                      this list",
      "press N / release N       press or release control N (0..127)",
      "jog left|right [COUNT]    turn the jog wheel COUNT steps (down = left, up = right)",
      "shuttle P                 move the shuttle ring to P (-64..63, 0 is the centre)",
      "raw HEX...                send bytes as given, e.g. raw BF 12 05",
      "answer normal|silent|short|late MS   how to answer the identity request",
      "state                     print lamps, display and message counts",
      "log on|off                print every message received as recv ...",
      "unplug / plug             pull the cable (close the port) / plug it in again",
      "quit                      end (also at the end of input, unless --stay)",
  };
}

}  // namespace quorbel::surfacetool

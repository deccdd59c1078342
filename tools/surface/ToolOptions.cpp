#include "tools/surface/ToolOptions.h"

#include <charconv>
#include <string_view>

namespace quorbel::surfacetool {

namespace {

constexpr int kHighestPort = 32;

}  // namespace

std::string ToolUsage() {
  return "usage: quorbel-surface [--port N (1..32)] [--dir PATH] [--stay] [--window]";
}

ParsedOptions ParseToolOptions(std::span<const char* const> arguments) {
  ParsedOptions parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    const bool takesValue = option == "--port" || option == "--dir";
    if (takesValue && (i + 1 == arguments.size() || *arguments[i + 1] == '\0')) {
      parsed.error = std::string(option) + " needs a value";
      return parsed;
    }
    if (option == "--stay") {
      parsed.options.stay = true;
    } else if (option == "--window") {
      parsed.options.window = true;
    } else if (option == "--port") {
      const std::string_view value = arguments[++i];
      int port = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
      if (error != std::errc() || end != value.data() + value.size() || port < 1 ||
          port > kHighestPort) {
        parsed.error = "--port must be a number 1..32, not \"" + std::string(value) + "\"";
        return parsed;
      }
      parsed.options.port = port;
    } else if (option == "--dir") {
      parsed.options.dir = arguments[++i];
    } else {
      parsed.error = "unexpected \"" + std::string(option) + "\"";
      return parsed;
    }
  }
  return parsed;
}

}  // namespace quorbel::surfacetool

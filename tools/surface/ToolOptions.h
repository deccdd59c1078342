#pragma once

#include <span>
#include <string>

namespace quorbel::surfacetool {

// The simulated surface's command line:
//   quorbel-surface [--port N] [--dir PATH] [--stay] [--window]
struct ToolOptions {
  // The link ports/comN is written for "Com N".
  int port = 1;
  // Folder in which ports/ is made; the working folder by default.
  std::string dir = ".";
  // Keep running at the end of the input, until quit or a signal.
  bool stay = false;
  // Show the surface in a window that can be clicked; the window stays open
  // at the end of the input, until it is closed, quit or a signal.
  bool window = false;
};

struct ParsedOptions {
  ToolOptions options;
  std::string error;  // empty when the command line was good
};

ParsedOptions ParseToolOptions(std::span<const char* const> arguments);

std::string ToolUsage();

}  // namespace quorbel::surfacetool

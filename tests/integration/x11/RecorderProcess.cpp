#include "tests/integration/x11/RecorderProcess.h"

#include <sstream>
#include <stdexcept>

namespace quorbel::testing {
namespace {

std::vector<std::string> Command(const std::string& program, const std::string& display,
                                 std::vector<std::string> options) {
  std::vector<std::string> command{program, "--display", display};
  command.insert(command.end(), options.begin(), options.end());
  return command;
}

}  // namespace

RecorderProcess::RecorderProcess(const std::string& display, std::vector<std::string> options,
                                 const std::string& program)
    : process_(Command(program, display, std::move(options))) {
  auto ready = process_.ReadLine(std::chrono::seconds(10));
  std::istringstream words(ready.value_or(""));
  std::string word;
  words >> word;
  if (word != "ready") throw std::runtime_error("the recorder did not start");
  for (WindowId window = 0; words >> window;) windows_.push_back(window);
}

std::vector<std::string> RecorderProcess::Lines(std::size_t count) {
  std::vector<std::string> lines;
  while (lines.size() < count) {
    auto line = process_.ReadLine();
    if (!line) break;
    lines.push_back(*line);
  }
  return lines;
}

std::vector<std::string> RecorderProcess::LinesThrough(const std::string& prefix) {
  std::vector<std::string> lines;
  while (auto line = process_.ReadLine()) {
    lines.push_back(*line);
    if (line->starts_with(prefix)) break;
  }
  return lines;
}

std::vector<std::string> RecorderProcess::LinesUntilQuiet() {
  std::vector<std::string> lines;
  while (auto line = process_.ReadLine(std::chrono::milliseconds(300))) lines.push_back(*line);
  return lines;
}

}  // namespace quorbel::testing

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/Types.h"
#include "tests/integration/x11/ChildProcess.h"

namespace quorbel::testing {

// The recorder client running on a test display: its windows and the lines it
// prints for the events it receives.
class RecorderProcess {
 public:
  // Starts the recorder (or a copy of it at `program`) and waits until its
  // windows exist.
  RecorderProcess(const std::string& display, std::vector<std::string> options = {},
                  const std::string& program = QUORBEL_X11_RECORDER);

  WindowId window() const { return windows_.front(); }
  const std::vector<WindowId>& windows() const { return windows_; }
  pid_t pid() const { return process_.pid(); }
  // The next `count` lines; fewer when the recorder fell silent.
  std::vector<std::string> Lines(std::size_t count);
  // Lines up to and including the first that starts with `prefix`.
  std::vector<std::string> LinesThrough(const std::string& prefix);
  // Every line until the recorder has been silent for a while.
  std::vector<std::string> LinesUntilQuiet();

 private:
  ChildProcess process_;
  std::vector<WindowId> windows_;
};

}  // namespace quorbel::testing

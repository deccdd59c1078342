#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel::testing {

// The simulated surface program, started in `dir` as port `port` and driven
// through its standard input and output.
class SurfaceProcess {
 public:
  static constexpr std::chrono::seconds kPatience{10};

  SurfaceProcess(const std::string& dir, int port);
  // Ends the input, which ends the program, and reaps it.
  ~SurfaceProcess();
  SurfaceProcess(const SurfaceProcess&) = delete;
  SurfaceProcess& operator=(const SurfaceProcess&) = delete;

  void Command(const std::string& line);
  // Waits for the next output line that starts with `prefix`, dropping the
  // lines before it. Nothing when none came in time or the program ended.
  std::optional<std::string> WaitForLine(std::string_view prefix);
  // Every line of the `state` command up to "end state".
  std::vector<std::string> State();

  // Sends a signal and waits for the program to end; its exit status.
  int Stop(int signal);

 private:
  std::optional<std::string> NextLine(std::chrono::steady_clock::time_point deadline);
  int Reap();

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string buffered_;
};

}  // namespace quorbel::testing

#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorbel::testing {

// A Windows program the test started, with its own working folder. One that
// is still running when the object goes is ended by force, so a failed test
// leaves nothing behind in the Wine session.
class StartedProgram {
 public:
  // Throws when the program cannot be started.
  StartedProgram(const std::filesystem::path& program, const std::vector<std::wstring>& arguments,
                 const std::filesystem::path& workingFolder);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  int id() const { return static_cast<int>(process_.dwProcessId); }
  bool Ended() const;
  // Its exit status once it has ended; nothing when it is still running
  // after `timeout`.
  std::optional<unsigned long> WaitForEnd(std::chrono::milliseconds timeout);

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace quorbel::testing

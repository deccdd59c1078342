#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>

namespace quorbel::testing {

// The save loop program, run as a child process whose standard output comes
// back through a pipe: one byte for each completed save.
class SaverProcess {
 public:
  SaverProcess(const std::filesystem::path& program, const std::filesystem::path& folder);
  ~SaverProcess();
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool Started() const { return pid_ > 0; }

  // Waits until the loop has reported `count` saves in all, or `timeout` has
  // passed; true when it has.
  bool WaitForSaves(int count, std::chrono::milliseconds timeout);

  // Ends the loop with SIGKILL wherever it stands and reaps it. True when the
  // kill was what ended it.
  bool Kill();

  // Completed saves reported so far.
  int Saves() const { return saves_; }

 private:
  void Drain(int timeoutMs);

  pid_t pid_ = -1;
  int output_ = -1;
  int saves_ = 0;
};

}  // namespace quorbel::testing

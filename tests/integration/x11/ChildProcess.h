#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quorbel::testing {

// A program started for a test, whose output is read line by line. It is
// ended (SIGTERM) and reaped when the object goes away.
class ChildProcess {
 public:
  // Starts the program found on PATH (or at a path) with the arguments; what
  // the child writes to descriptor outputFd comes back through ReadLine. Its
  // standard error goes to /dev/null when quiet. Throws when it cannot start.
  ChildProcess(const std::vector<std::string>& command, int outputFd = 1, bool quiet = false);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // The next line of output without its newline; nothing when none came in time
  // or the output ended.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Waits for the program to end by itself; its exit status, -1 when killed.
  int Wait();

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  std::string pending_;
};

// Runs a program to its end; true when it exited with status 0.
bool RunToEnd(const std::vector<std::string>& command);

// Whether a program of that name can be found on PATH.
bool ProgramOnPath(const std::string& name);

}  // namespace quorbel::testing

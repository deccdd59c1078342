#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorbel::testing {

// One line the simulated surface printed, and when it came in.
struct SurfaceLine {
  std::string text;
  std::chrono::steady_clock::time_point at;
};

// The simulated surface run as its own program on a pseudo-terminal linked as
// <dir>/ports/comN. Commands go to its standard input; every line it prints is
// kept, in order, by a reader thread that calls `onLine` after each one.
class SurfaceProcess {
 public:
  // How long a wait for the surface lasts at most.
  static constexpr std::chrono::seconds kPatience{10};

  // Starts the program and waits for its "ready" line. Throws when it cannot.
  // With `windowDisplay` it also shows its window on that X display.
  SurfaceProcess(const std::string& dir, int port, std::function<void()> onLine = {},
                 const std::string& windowDisplay = {});
  // Asks it to quit, so it removes its port link; kills it when it does not.
  ~SurfaceProcess();
  SurfaceProcess(const SurfaceProcess&) = delete;
  SurfaceProcess& operator=(const SurfaceProcess&) = delete;

  void Command(const std::string& line);
  pid_t pid() const { return pid_; }

  std::vector<SurfaceLine> Lines() const;
  std::size_t LineCount() const;
  // The lines from `from` on that start with `prefix`, without the prefix.
  std::vector<std::string> LinesAfter(std::size_t from, const std::string& prefix) const;
  // What the program sent to the surface since line `from`, one message each
  // ("recv" lines; logging must be on).
  std::vector<std::string> ReceivedSince(std::size_t from) const {
    return LinesAfter(from, "recv ");
  }

  // Waits until a line from `from` on starts with `prefix`; returns its index,
  // or -1 when none came within the time-out. Only for waits that need no
  // help from the caller's thread.
  long WaitForLine(std::size_t from, const std::string& prefix,
                   std::chrono::milliseconds timeout = kPatience) const;
  // Waits for the next line that starts with `prefix`, after the one the last
  // call found, and returns it. Nothing when none came in time or the program
  // ended.
  std::optional<std::string> NextLine(std::string_view prefix);
  // Sends a command and waits for the line that confirms it.
  long CommandAndWait(const std::string& line, const std::string& confirmation);
  // Asks for the state and returns its lines, "end state" left out.
  std::vector<std::string> State();

  // Sends a signal and waits for the program to end; its exit status.
  int Stop(int signal);

 private:
  void ReadLines();
  // Waits for the program to end, killing it after kPatience; its exit status.
  int Reap();

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::function<void()> onLine_;
  mutable std::mutex mutex_;
  mutable std::condition_variable arrived_;
  std::vector<SurfaceLine> lines_;
  bool ended_ = false;
  std::size_t next_ = 0;
  std::thread reader_;
};

}  // namespace quorbel::testing

#include "tests/support/SurfaceProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <system_error>

extern char** environ;

namespace quorbel::testing {

namespace {

void ClosePair(int fds[2]) {
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace

SurfaceProcess::SurfaceProcess(const std::string& dir, int port, std::function<void()> onLine,
                               const std::string& windowDisplay)
    : onLine_(std::move(onLine)) {
  int toChild[2];
  int fromChild[2];
  if (::pipe2(toChild, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category());
  if (::pipe2(fromChild, O_CLOEXEC) != 0) {
    ClosePair(toChild);
    throw std::system_error(errno, std::generic_category());
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
  const std::string portText = std::to_string(port);
  std::vector<std::string> command = {QUORBEL_SURFACE_PROGRAM, "--dir", dir, "--port", portText};
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    if (windowDisplay.empty() ||
        !(text.starts_with("DISPLAY=") || text.starts_with("QT_QPA_PLATFORM="))) {
      environment.emplace_back(*entry);
    }
  }
  if (!windowDisplay.empty()) {
    command.emplace_back("--window");
    environment.push_back("DISPLAY=" + windowDisplay);
  }
  std::vector<char*> argv;
  for (std::string& part : command) argv.push_back(part.data());
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const int error = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(toChild[0]);
  ::close(fromChild[1]);
  if (error != 0) {
    ::close(toChild[1]);
    ::close(fromChild[0]);
    throw std::system_error(error, std::generic_category(), "cannot start the surface");
  }
  input_ = toChild[1];
  output_ = fromChild[0];
  reader_ = std::thread([this] { ReadLines(); });
  if (WaitForLine(0, "ready ") < 0) throw std::runtime_error("the surface did not get ready");
}

SurfaceProcess::~SurfaceProcess() {
  // With its window the surface stays at the end of its input; it quits on
  // the command. One that has ended already takes no command: the write
  // would break its pipe.
  bool ended = pid_ < 0;
  {
    std::lock_guard lock(mutex_);
    ended = ended || ended_;
  }
  if (!ended) Command("quit");
  ::close(input_);
  if (pid_ > 0) Reap();
  reader_.join();
  ::close(output_);
}

int SurfaceProcess::Reap() {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
  return status;
}

int SurfaceProcess::Stop(int signal) {
  ::kill(pid_, signal);
  return Reap();
}

void SurfaceProcess::Command(const std::string& line) {
  const std::string text = line + "\n";
  // A pipe takes a short command whole; the surface reads its input at once.
  [[maybe_unused]] const ssize_t put = ::write(input_, text.data(), text.size());
}

void SurfaceProcess::ReadLines() {
  std::string pending;
  std::array<char, 4096> chunk{};
  for (;;) {
    const ssize_t got = ::read(output_, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(chunk.data(), static_cast<std::size_t>(got));
    for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
      {
        std::lock_guard lock(mutex_);
        lines_.push_back({pending.substr(0, end), std::chrono::steady_clock::now()});
      }
      pending.erase(0, end + 1);
      arrived_.notify_all();
      if (onLine_) onLine_();
    }
  }
  std::lock_guard lock(mutex_);
  ended_ = true;
  arrived_.notify_all();
}

std::vector<SurfaceLine> SurfaceProcess::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::size_t SurfaceProcess::LineCount() const {
  std::lock_guard lock(mutex_);
  return lines_.size();
}

std::vector<std::string> SurfaceProcess::LinesAfter(std::size_t from,
                                                    const std::string& prefix) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> found;
  for (std::size_t i = from; i < lines_.size(); ++i) {
    if (lines_[i].text.starts_with(prefix)) found.push_back(lines_[i].text.substr(prefix.size()));
  }
  return found;
}

long SurfaceProcess::WaitForLine(std::size_t from, const std::string& prefix,
                                 std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  long found = -1;
  arrived_.wait_for(lock, timeout, [&] {
    for (std::size_t i = from; i < lines_.size(); ++i) {
      if (lines_[i].text.starts_with(prefix)) {
        found = static_cast<long>(i);
        return true;
      }
    }
    return ended_;
  });
  return found;
}

std::optional<std::string> SurfaceProcess::NextLine(std::string_view prefix) {
  const long found = WaitForLine(next_, std::string(prefix));
  if (found < 0) return std::nullopt;
  next_ = static_cast<std::size_t>(found) + 1;
  std::lock_guard lock(mutex_);
  return lines_[next_ - 1].text;
}

long SurfaceProcess::CommandAndWait(const std::string& line, const std::string& confirmation) {
  const std::size_t from = LineCount();
  Command(line);
  return WaitForLine(from, confirmation);
}

std::vector<std::string> SurfaceProcess::State() {
  const std::size_t from = LineCount();
  const long end = CommandAndWait("state", "end state");
  std::vector<std::string> state;
  if (end < 0) return state;
  // The state is the block from its "lamps" line on; messages logged
  // meanwhile may come before it.
  const auto lines = Lines();
  std::size_t first = static_cast<std::size_t>(end);
  while (first > from && !lines[first - 1].text.starts_with("lamps ")) --first;
  if (first > from) --first;
  for (std::size_t i = first; i < static_cast<std::size_t>(end); ++i) {
    state.push_back(lines[i].text);
  }
  return state;
}

}  // namespace quorbel::testing

#include "tests/integration/posix/SurfaceProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <stdexcept>
#include <thread>

namespace quorbel::testing {

SurfaceProcess::SurfaceProcess(const std::string& dir, int port) {
  int toChild[2];
  int fromChild[2];
  if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const std::string portText = std::to_string(port);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(toChild[0], STDIN_FILENO);
    ::dup2(fromChild[1], STDOUT_FILENO);
    ::execl(QUORBEL_SURFACE_PROGRAM, QUORBEL_SURFACE_PROGRAM, "--port", portText.c_str(), "--dir",
            dir.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(toChild[0]);
  ::close(fromChild[1]);
  input_ = toChild[1];
  output_ = fromChild[0];
  if (pid_ < 0) throw std::runtime_error("fork failed");
}

SurfaceProcess::~SurfaceProcess() {
  if (input_ >= 0) ::close(input_);
  if (pid_ > 0) Reap();
  if (output_ >= 0) ::close(output_);
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
  if (::write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    throw std::runtime_error("the surface program does not take input");
  }
}

std::optional<std::string> SurfaceProcess::NextLine(
    std::chrono::steady_clock::time_point deadline) {
  while (true) {
    const auto end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd wait{output_, POLLIN, 0};
    if (::poll(&wait, 1, static_cast<int>(left.count())) <= 0) continue;
    std::array<char, 4096> chunk{};
    const ssize_t got = ::read(output_, chunk.data(), chunk.size());
    if (got <= 0) return std::nullopt;
    buffered_.append(chunk.data(), static_cast<std::size_t>(got));
  }
}

std::optional<std::string> SurfaceProcess::WaitForLine(std::string_view prefix) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (auto line = NextLine(deadline)) {
    if (line->starts_with(prefix)) return line;
  }
  return std::nullopt;
}

std::vector<std::string> SurfaceProcess::State() {
  Command("state");
  std::vector<std::string> lines;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (auto line = NextLine(deadline)) {
    if (*line == "end state") break;
    lines.push_back(*line);
  }
  return lines;
}

}  // namespace quorbel::testing

#include "tests/integration/keysets/SaverProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

namespace quorbel::testing {

SaverProcess::SaverProcess(const std::filesystem::path& program,
                           const std::filesystem::path& folder) {
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
  std::string programText = program.string();
  std::string folderText = folder.string();
  char* argv[] = {programText.data(), folderText.data(), nullptr};
  pid_t pid = -1;
  if (::posix_spawn(&pid, programText.c_str(), &actions, nullptr, argv, environ) == 0) pid_ = pid;
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(pipe[1]);
  output_ = pipe[0];
}

SaverProcess::~SaverProcess() {
  if (pid_ > 0) Kill();
  if (output_ >= 0) ::close(output_);
}

bool SaverProcess::WaitForSaves(int count, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (saves_ < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const int before = saves_;
    Drain(static_cast<int>(left.count()));
    // Nothing new within the time, or the loop has ended.
    if (saves_ == before) return false;
  }
  return true;
}

bool SaverProcess::Kill() {
  if (pid_ <= 0) return false;
  ::kill(pid_, SIGKILL);
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  Drain(0);  // saves completed just before the kill
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

void SaverProcess::Drain(int timeoutMs) {
  pollfd ready{output_, POLLIN, 0};
  int wait = timeoutMs;
  while (::poll(&ready, 1, wait) > 0) {
    char bytes[4096];
    const ssize_t got = ::read(output_, bytes, sizeof bytes);
    if (got <= 0) return;
    saves_ += static_cast<int>(got);
    wait = 0;  // take what else is already there, then stop
  }
}

}  // namespace quorbel::testing

#include "platform/linux/posix/LinuxInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace quorbel {

namespace {

// True when `path` is a real folder of this user that nobody else may enter;
// a lock file in a folder others can write to could be swapped under us.
bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0' && IsPrivateFolder(runtime)) return runtime;
  const std::string fallback = "/tmp/quorbel-" + std::to_string(::geteuid());
  if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return IsPrivateFolder(fallback) ? fallback : std::string();
}

// The guard name as one file name: no folder separators, never hidden.
std::string LockFileName(const std::string& name) {
  std::string file;
  for (char c : name) file += (c == '/' || c == '\0') ? '_' : c;
  return file + ".lock";
}

}  // namespace

LinuxInstanceGuard::~LinuxInstanceGuard() { Release(); }

GuardResult LinuxInstanceGuard::Acquire(const std::string& name) {
  Release();
  const std::string folder = RuntimeFolder();
  if (folder.empty() || name.empty()) return GuardResult::Failed;
  const std::string path = folder + "/" + LockFileName(name);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return GuardResult::Failed;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? GuardResult::AlreadyRunning : GuardResult::Failed;
  }
  fd_ = fd;
  return GuardResult::Acquired;
}

// The lock file stays: removing it would let a later copy lock a new file
// while an earlier one still waits on the old.
void LinuxInstanceGuard::Release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace quorbel

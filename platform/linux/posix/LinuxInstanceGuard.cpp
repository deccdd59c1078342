#include "platform/linux/posix/LinuxInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace quorbel {

namespace {

// True when `path` is a real folder of this user that nobody else may enter;
// a lock file in a folder others can write to could be swapped under us.
bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// The guard name as one file name: no folder separators, never hidden.
std::string LockFileName(const std::string& name) {
  std::string file;
  for (char c : name) file += (c == '/' || c == '\0') ? '_' : c;
  return file + ".lock";
}

}  // namespace

LinuxInstanceGuard::LinuxInstanceGuard(std::string systemRuntimeBase, std::string temporaryBase)
    : systemRuntimeBase_(std::move(systemRuntimeBase)), temporaryBase_(std::move(temporaryBase)) {}

LinuxInstanceGuard::~LinuxInstanceGuard() { Release(); }

std::string LinuxInstanceGuard::RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0' && IsPrivateFolder(runtime)) return runtime;
  // The session's runtime folder is there even when the variable is not
  // (a login through su, a cron job).
  const std::string uid = std::to_string(::geteuid());
  const std::string system = systemRuntimeBase_ + "/" + uid;
  if (IsPrivateFolder(system)) return system;
  const std::string fallback = temporaryBase_ + "/quorbel-" + uid;
  if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) {
    trouble_ = "The folder " + fallback + " cannot be made.";
    return {};
  }
  if (IsPrivateFolder(fallback)) return fallback;
  // Someone else made it first, or opened it to others: a lock there proves
  // nothing, since its owner could remove or swap the lock file.
  trouble_ = "The folder " + fallback +
             " belongs to another user or others may use it.|Remove it, or set "
             "XDG_RUNTIME_DIR to a folder only you may use, and start QuorbelU again.";
  return {};
}

GuardResult LinuxInstanceGuard::Acquire(const std::string& name) {
  Release();
  trouble_.clear();
  if (name.empty()) return GuardResult::Failed;
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return GuardResult::Failed;
  const std::string path = folder + "/" + LockFileName(name);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    trouble_ = "The lock file " + path + " cannot be opened.";
    return GuardResult::Failed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    if (!held) trouble_ = "The lock file " + path + " cannot be locked.";
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

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/FileAccess.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

// O_NONBLOCK keeps a pipe that carries a file's name from hanging the open;
// regular files ignore it.
constexpr int kOpenFlags = O_CLOEXEC | O_NONBLOCK;

int Descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

bool IsRegular(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

SystemFile::Failure FailureOf(int error) {
  if (error == ENOENT) return SystemFile::Failure::Missing;
  if (error == EEXIST) return SystemFile::Failure::Exists;
  if (error == ELOOP) return SystemFile::Failure::Link;
  return SystemFile::Failure::Other;
}

}  // namespace

SystemFile::SystemFile(SystemFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)), failure_(other.failure_) {}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) ::close(Descriptor(handle_));
    handle_ = std::exchange(other.handle_, kClosed);
    failure_ = other.failure_;
  }
  return *this;
}

SystemFile::~SystemFile() {
  if (IsOpen()) ::close(Descriptor(handle_));
}

SystemFile SystemFile::OpenToRead(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | kOpenFlags);
  if (fd < 0) return SystemFile(kClosed, FailureOf(errno));
  SystemFile opened(fd);
  if (!IsRegular(fd)) return SystemFile(kClosed, Failure::Other);
  return opened;
}

SystemFile SystemFile::OpenToChange(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDWR | O_NOFOLLOW | kOpenFlags);
  if (fd < 0) return SystemFile(kClosed, FailureOf(errno));
  SystemFile opened(fd);
  if (!IsRegular(fd)) return SystemFile(kClosed, Failure::NotRegular);
  return opened;
}

SystemFile SystemFile::CreateNew(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return SystemFile(kClosed, FailureOf(errno));
  return SystemFile(fd);
}

long long SystemFile::ReadAt(std::uint64_t offset, char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::pread(Descriptor(handle_), data, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

bool SystemFile::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(Descriptor(handle_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

long long SystemFile::Length() {
  struct stat info {};
  return ::fstat(Descriptor(handle_), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

bool SystemFile::TakeAccessRightsOf(SystemFile& other) {
  struct stat info {};
  return ::fstat(Descriptor(other.handle_), &info) == 0 &&
         ::fchmod(Descriptor(handle_), info.st_mode & 07777) == 0;
}

bool SystemFile::FlushToDisk() { return ::fsync(Descriptor(handle_)) == 0; }

bool SystemFile::Close() {
  if (!IsOpen()) return false;
  return ::close(Descriptor(std::exchange(handle_, kClosed))) == 0;
}

bool MoveIntoPlace(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  // Makes the rename itself durable. The new file is in place whatever this
  // reports, so there is nothing to undo when it fails.
  const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

std::error_code LastSystemError() { return {errno, std::generic_category()}; }

bool BelongsToUserAlone(const fs::path& entry) {
  struct stat info {};
  if (::lstat(entry.c_str(), &info) != 0 || info.st_uid != ::geteuid()) return false;
  return !S_ISDIR(info.st_mode) || (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool RemoveFile(const fs::path& file) { return ::unlink(file.c_str()) == 0 || errno == ENOENT; }

bool SystemAllowsFileName(std::string_view) { return true; }

bool SystemSameFileName(std::string_view a, std::string_view b) { return a == b; }

unsigned long CurrentProcessNumber() { return static_cast<unsigned long>(::getpid()); }

bool ProcessRuns(unsigned long processNumber) {
  if (processNumber == 0 || processNumber > INT32_MAX) return false;
  return ::kill(static_cast<pid_t>(processNumber), 0) == 0 || errno == EPERM;
}

}  // namespace quorbel

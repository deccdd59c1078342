#include "keysets/FileHead.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

namespace quorbel {

namespace {

namespace fs = std::filesystem;

// A file descriptor that is closed on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closing can report a write error of its own, so a writer checks it.
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

// O_NONBLOCK keeps a pipe that carries a keyset's name from hanging the open;
// regular files ignore it.
constexpr int kOpenFlags = O_CLOEXEC | O_NONBLOCK;

bool IsRegular(int fd, struct stat& info) {
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Appends to `out` everything `in` holds from `offset` on; `copied` counts it.
bool CopyTail(int in, int out, std::size_t offset, std::size_t& copied) {
  char chunk[1 << 16];
  copied = 0;
  for (;;) {
    const ssize_t got = ::pread(in, chunk, sizeof chunk, static_cast<off_t>(offset + copied));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!WriteAll(out, chunk, static_cast<std::size_t>(got))) return false;
    copied += static_cast<std::size_t>(got);
  }
}

// A new file of its own in `folder`, so that rename() can later put it in
// place in one step. Its name starts with "." and ends in ".tmp": a leftover
// of a crash is hidden and is never taken for a keyset file.
Descriptor CreateTemporary(const fs::path& folder, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  const std::string stem = ".save-" + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (stem + std::to_string(counter++) + ".tmp");
    Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (out.valid() || errno != EEXIST) return out;
  }
  return Descriptor(-1);
}

bool HasLength(int fd, std::size_t length) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) == length;
}

// Makes the rename itself durable. The new file is in place whatever this
// reports, so there is nothing to undo when it fails.
void SyncFolder(const fs::path& folder) {
  Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

void RemoveStaleSaves(const fs::path& folder) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    // ".save-<pid>-<n>.tmp", as CreateTemporary names them.
    unsigned long pid = 0;
    unsigned long n = 0;
    int length = 0;
    if (std::sscanf(name.c_str(), ".save-%lu-%lu.tmp%n", &pid, &n, &length) != 2 ||
        static_cast<std::size_t>(length) != name.size() || pid == 0 || pid > INT32_MAX) {
      continue;
    }
    const bool running = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    if (!running) fs::remove(entry.path(), error);
  }
}

bool ReadFileHead(const fs::path& file, std::span<char> head, std::size_t* fileBytes) {
  Descriptor in(::open(file.c_str(), O_RDONLY | kOpenFlags));
  struct stat info {};
  if (!in.valid() || !IsRegular(in.get(), info)) return false;
  std::size_t done = 0;
  while (done < head.size()) {
    const ssize_t got = ::read(in.get(), head.data() + done, head.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  std::memset(head.data() + done, 0, head.size() - done);
  if (fileBytes != nullptr) *fileBytes = done;
  return true;
}

bool ReplaceFileHead(const fs::path& file, std::span<const char> head) {
  // A file reached through a symbolic link is replaced where the link
  // points, and the link stays.
  std::error_code error;
  fs::path target = file;
  if (fs::is_symlink(file, error)) {
    target = fs::canonical(file, error);
    if (error) return false;
  }

  // Opening the old file for writing is the test that it may be changed.
  Descriptor old(::open(target.c_str(), O_RDWR | kOpenFlags));
  if (!old.valid() && errno != ENOENT) return false;
  struct stat oldInfo {};
  if (old.valid() && !IsRegular(old.get(), oldInfo)) return false;

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::path temporary;
  Descriptor out = CreateTemporary(folder, temporary);
  if (!out.valid()) return false;

  std::size_t tail = 0;
  const bool ready = WriteAll(out.get(), head.data(), head.size()) &&
                     (!old.valid() || (CopyTail(old.get(), out.get(), head.size(), tail) &&
                                       ::fchmod(out.get(), oldInfo.st_mode & 07777) == 0)) &&
                     HasLength(out.get(), head.size() + tail) && ::fsync(out.get()) == 0 &&
                     out.Close() && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ready) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

}  // namespace quorbel

#include "keysets/FileHead.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include "platform/FileAccess.h"

namespace quorbel {

namespace {

namespace fs = std::filesystem;

// Appends to `out` everything `in` holds from `offset` on; `copied` counts it.
bool CopyTail(SystemFile& in, SystemFile& out, std::size_t offset, std::size_t& copied) {
  char chunk[1 << 16];
  copied = 0;
  for (;;) {
    const long long got = in.ReadAt(offset + copied, chunk, sizeof chunk);
    if (got < 0) return false;
    if (got == 0) return true;
    if (!out.WriteAll({chunk, static_cast<std::size_t>(got)})) return false;
    copied += static_cast<std::size_t>(got);
  }
}

class FileHeadCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "keyset file"; }
  std::string message(int code) const override {
    switch (static_cast<FileHeadError>(code)) {
      case FileHeadError::LinkNotFollowed:
        return "it is a symbolic link, and QuorbelU writes through a link only when you alone "
               "could have placed it";
      case FileHeadError::NotARegularFile:
        return "it is not a regular file";
      case FileHeadError::ShortFile:
        return "the new file did not get its full length";
    }
    return "unknown error";
  }
};

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The path that is replaced for `file`: the path itself, or, for a link the
// policy follows, the file it leads to.
std::error_code PathToReplace(const fs::path& file, LinkPolicy links, fs::path& target) {
  target = file;
  std::error_code error;
  if (!fs::is_symlink(file, error)) return {};
  if (links != LinkPolicy::FollowOwnPrivate || !BelongsToUserAlone(file) ||
      !BelongsToUserAlone(FolderOf(file))) {
    return FileHeadError::LinkNotFollowed;
  }
  target = fs::canonical(file, error);
  if (error) return error;
  if (!BelongsToUserAlone(FolderOf(target))) return FileHeadError::LinkNotFollowed;
  return {};
}

// The old file, opened to be changed; none when there is none yet.
std::error_code OpenOld(const fs::path& target, SystemFile& old) {
  old = SystemFile::OpenToChange(target);
  if (old.IsOpen()) return {};
  const std::error_code reason = LastSystemError();
  switch (old.OpenFailure()) {
    case SystemFile::Failure::Missing:
      return {};
    case SystemFile::Failure::Link:
      // A link that took the file's place since it was looked at.
      return FileHeadError::LinkNotFollowed;
    case SystemFile::Failure::NotRegular:
      return FileHeadError::NotARegularFile;
    default:
      return reason;
  }
}

// The new file, written whole and on the disk, ready to be put in place.
std::error_code WriteNewFile(SystemFile& out, std::span<const char> head, SystemFile& old) {
  std::size_t tail = 0;
  if (!out.WriteAll({head.data(), head.size()})) return LastSystemError();
  if (old.IsOpen()) {
    if (!CopyTail(old, out, head.size(), tail) || !out.TakeAccessRightsOf(old)) {
      return LastSystemError();
    }
  }
  if (out.Length() != static_cast<long long>(head.size() + tail)) return FileHeadError::ShortFile;
  if (!out.FlushToDisk() || !out.Close()) return LastSystemError();
  return {};
}

// A new file of its own in `folder`, so that it can later be put in place in
// one step. Its name starts with "." and ends in ".tmp": a leftover of a
// crash is hidden and is never taken for a keyset file.
SystemFile CreateTemporary(const fs::path& folder, fs::path& temporary) {
  static std::atomic<unsigned> counter{0};
  const std::string stem = ".save-" + std::to_string(CurrentProcessNumber()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder / (stem + std::to_string(counter++) + ".tmp");
    SystemFile out = SystemFile::CreateNew(temporary);
    if (out.IsOpen() || out.OpenFailure() != SystemFile::Failure::Exists) return out;
  }
  return {};
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
    if (!ProcessRuns(pid)) fs::remove(entry.path(), error);
  }
}

bool ReadFileHead(const fs::path& file, std::span<char> head, std::size_t* fileBytes) {
  SystemFile in = SystemFile::OpenToRead(file);
  if (!in.IsOpen()) return false;
  std::size_t done = 0;
  while (done < head.size()) {
    const long long got = in.ReadAt(done, head.data() + done, head.size() - done);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  std::memset(head.data() + done, 0, head.size() - done);
  if (fileBytes != nullptr) *fileBytes = done;
  return true;
}

std::error_code make_error_code(FileHeadError error) {
  static const FileHeadCategory category;
  return {static_cast<int>(error), category};
}

std::error_code ReplaceFileHead(const fs::path& file, std::span<const char> head,
                                LinkPolicy links) {
  fs::path target;
  if (const std::error_code refused = PathToReplace(file, links, target)) return refused;

  // Opening the old file for writing is the test that it may be changed.
  SystemFile old;
  if (const std::error_code refused = OpenOld(target, old)) return refused;

  fs::path temporary;
  SystemFile out = CreateTemporary(FolderOf(target), temporary);
  if (!out.IsOpen()) return LastSystemError();

  std::error_code failed = WriteNewFile(out, head, old);
  // The old file is closed before it is replaced: some systems refuse to
  // replace a file that is open.
  old.Close();
  // The move replaces the path itself, whatever stands there now: a link put
  // in the file's place is replaced, never written through.
  if (!failed && !MoveIntoPlace(temporary, target)) failed = LastSystemError();
  if (failed) RemoveFile(temporary);
  return failed;
}

}  // namespace quorbel

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
  SystemFile old = SystemFile::OpenToChange(target);
  if (!old.IsOpen() && old.OpenFailure() != SystemFile::Failure::Missing) return false;

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::path temporary;
  SystemFile out = CreateTemporary(folder, temporary);
  if (!out.IsOpen()) return false;

  std::size_t tail = 0;
  const bool ready =
      out.WriteAll({head.data(), head.size()}) &&
      (!old.IsOpen() || (CopyTail(old, out, head.size(), tail) && out.TakeAccessRightsOf(old))) &&
      out.Length() == static_cast<long long>(head.size() + tail) && out.FlushToDisk() &&
      out.Close();
  // The old file is closed before it is replaced: some systems refuse to
  // replace a file that is open.
  old.Close();
  if (!ready || !MoveIntoPlace(temporary, target)) {
    RemoveFile(temporary);
    return false;
  }
  return true;
}

}  // namespace quorbel

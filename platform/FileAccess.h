#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace quorbel {

// The operating system's own file calls, for the few places that must control
// exactly what reaches the disk and when: keyset saves and the preferences.
// Names are paths as std::filesystem holds them (UTF-8 on every system).

// An open file, closed on every way out.
class SystemFile {
 public:
  enum class Failure { None, Missing, Exists, Link, NotRegular, Other };

  SystemFile() = default;
  SystemFile(SystemFile&& other) noexcept;
  SystemFile& operator=(SystemFile&& other) noexcept;
  ~SystemFile();
  SystemFile(const SystemFile&) = delete;
  SystemFile& operator=(const SystemFile&) = delete;

  // An existing regular file, for reading; a pipe or a device does not open.
  static SystemFile OpenToRead(const std::filesystem::path& file);
  // An existing regular file, for reading and writing; the open is the test
  // that it may be changed. A symbolic link at that name is not followed
  // (Failure::Link).
  static SystemFile OpenToChange(const std::filesystem::path& file);
  // A new file that did not exist before the call, for writing. Never follows
  // a link that stands at that name.
  static SystemFile CreateNew(const std::filesystem::path& file);

  bool IsOpen() const { return handle_ != kClosed; }
  // Why the last open of this object failed.
  Failure OpenFailure() const { return failure_; }

  // Reads at most `size` bytes from `offset` on; -1 on an error, 0 at the end.
  long long ReadAt(std::uint64_t offset, char* data, std::size_t size);
  // Appends all of `bytes` at the current end of what this object wrote.
  bool WriteAll(std::string_view bytes);
  // The file's length as the system sees it now; -1 when unknown.
  long long Length();
  // Gives the file the access rights of `other`, where the system has such
  // rights on files; true where it has none.
  bool TakeAccessRightsOf(SystemFile& other);
  // Everything written reaches the disk before this returns true.
  bool FlushToDisk();
  // Closing can report a write error of its own, so a writer checks it.
  bool Close();

 private:
  static constexpr std::intptr_t kClosed = -1;
  explicit SystemFile(std::intptr_t handle, Failure failure = Failure::None)
      : handle_(handle), failure_(failure) {}

  std::intptr_t handle_ = kClosed;
  Failure failure_ = Failure::None;
};

// Puts `from` in the place of `to` in one step: a reader sees the old file or
// the new one, never a mixture; the change itself is on the disk when this
// returns, as far as the system can promise it.
bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

// The system's reason why the last file call of this thread failed; read it
// right after the call that failed.
std::error_code LastSystemError();

// True when only this user can have made `entry` what it is: it is theirs
// and, for a folder, no one else may write in it. A link is not followed. On
// systems without such owners, false.
bool BelongsToUserAlone(const std::filesystem::path& entry);

// Removes a file; false when it is still there.
bool RemoveFile(const std::filesystem::path& file);

// True when `fileName` can be the name of a file of its own in a folder on
// this system (some systems reserve device names such as "CON").
bool SystemAllowsFileName(std::string_view fileName);

// True when the two names are one file's name in one folder on this system:
// Windows folds the case of every letter, not only of A to Z.
bool SystemSameFileName(std::string_view a, std::string_view b);

// This process's number, and whether a process with that number runs.
unsigned long CurrentProcessNumber();
bool ProcessRuns(unsigned long processNumber);

}  // namespace quorbel

#include <windows.h>

#include <array>
#include <cctype>
#include <limits>
#include <string>
#include <utility>

#include "platform/FileAccess.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::intptr_t Value(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

SystemFile::Failure FailureOf(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
    return SystemFile::Failure::Missing;
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
    return SystemFile::Failure::Exists;
  return SystemFile::Failure::Other;
}

// A disk file; a pipe, a console or a device named like a file is not one.
bool IsDiskFile(HANDLE file) { return ::GetFileType(file) == FILE_TYPE_DISK; }

// Others may read and even replace the file while it is open, as on other
// systems, so a reader never blocks a save.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Another program that reads the file without letting it be replaced (a
// virus scanner, a backup, a viewer) makes the replace fail for as long as it
// holds the file. Such holds are short, so the move is tried again for up to
// a second before the save is reported as failed.
constexpr int kHeldTries = 100;
constexpr DWORD kHeldPauseMs = 10;

bool HeldByAnother(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
         error == ERROR_LOCK_VIOLATION;
}

}  // namespace

SystemFile::SystemFile(SystemFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)), failure_(other.failure_) {}

SystemFile& SystemFile::operator=(SystemFile&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) ::CloseHandle(Handle(handle_));
    handle_ = std::exchange(other.handle_, kClosed);
    failure_ = other.failure_;
  }
  return *this;
}

SystemFile::~SystemFile() {
  if (IsOpen()) ::CloseHandle(Handle(handle_));
}

SystemFile SystemFile::OpenToRead(const fs::path& file) {
  HANDLE opened = ::CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return SystemFile(kClosed, FailureOf(::GetLastError()));
  SystemFile result(Value(opened));
  if (!IsDiskFile(opened)) return SystemFile(kClosed, Failure::Other);
  return result;
}

SystemFile SystemFile::OpenToChange(const fs::path& file) {
  HANDLE opened = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return SystemFile(kClosed, FailureOf(::GetLastError()));
  SystemFile result(Value(opened));
  if (!IsDiskFile(opened)) return SystemFile(kClosed, Failure::NotRegular);
  return result;
}

SystemFile SystemFile::CreateNew(const fs::path& file) {
  HANDLE created = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) return SystemFile(kClosed, FailureOf(::GetLastError()));
  return SystemFile(Value(created));
}

long long SystemFile::ReadAt(std::uint64_t offset, char* data, std::size_t size) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(size, 1U << 30));
  if (!::ReadFile(Handle(handle_), data, asked, &got, &at)) {
    return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  }
  return got;
}

bool SystemFile::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
    if (!::WriteFile(Handle(handle_), bytes.data(), asked, &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

long long SystemFile::Length() {
  LARGE_INTEGER size{};
  return ::GetFileSizeEx(Handle(handle_), &size) ? size.QuadPart : -1;
}

// A file's access rights on Windows come from its folder; a new file beside
// the old one gets the same.
bool SystemFile::TakeAccessRightsOf(SystemFile&) { return true; }

bool SystemFile::FlushToDisk() { return ::FlushFileBuffers(Handle(handle_)) != 0; }

bool SystemFile::Close() {
  if (!IsOpen()) return false;
  return ::CloseHandle(Handle(std::exchange(handle_, kClosed))) != 0;
}

bool MoveIntoPlace(const fs::path& from, const fs::path& to) {
  for (int tried = 1;; ++tried) {
    // Write-through: the move is on the disk when the call returns.
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = ::GetLastError();
    if (!HeldByAnother(error) || tried == kHeldTries) return false;
    ::Sleep(kHeldPauseMs);
  }
}

std::error_code LastSystemError() {
  return {static_cast<int>(::GetLastError()), std::system_category()};
}

// Links are left to the system's own rules here: none is ever followed on
// the user's behalf.
bool BelongsToUserAlone(const fs::path&) { return false; }

bool RemoveFile(const fs::path& file) {
  if (::DeleteFileW(file.c_str())) return true;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool SystemAllowsFileName(std::string_view fileName) {
  if (fileName.empty()) return false;
  // Windows drops trailing dots and spaces: "A." would be the file "A".
  if (fileName.back() == '.' || fileName.back() == ' ') return false;
  for (const char c : fileName) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      return false;
  }
  // Device names, with or without an extension ("NUL.qrb" is the device too).
  std::string stem(fileName.substr(0, fileName.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (const std::string_view device : kDevices) {
    if (stem == device) return false;
  }
  if (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0' &&
      stem[3] <= '9') {
    return false;
  }
  return true;
}

bool SystemSameFileName(std::string_view a, std::string_view b) {
  const std::wstring wideA = fs::path(std::u8string(a.begin(), a.end())).wstring();
  const std::wstring wideB = fs::path(std::u8string(b.begin(), b.end())).wstring();
  // The file system's own rule: letters compared by their upper case, no
  // other folding.
  return ::CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

unsigned long CurrentProcessNumber() { return ::GetCurrentProcessId(); }

bool ProcessRuns(unsigned long processNumber) {
  if (processNumber == 0 || processNumber > std::numeric_limits<DWORD>::max()) return false;
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                 static_cast<DWORD>(processNumber));
  if (process == nullptr) return ::GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

}  // namespace quorbel

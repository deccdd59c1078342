#include "device/Preferences.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "device/PreferencesText.h"
#include "ui/Messages.h"

namespace quorbel {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// At most kMaxPreferencesBytes of the file. When the file is longer or a read
// fails, the text ends with the last complete line so that no value is read
// from a cut line.
std::string ReadText(const std::filesystem::path& path) {
  // Non-blocking, and only a regular file: a pipe or a device put in the
  // file's place must not hold start-up up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return {};
  }
  std::string text(kMaxPreferencesBytes + 1, '\0');
  std::size_t got = 0;
  bool failed = false;
  while (got < text.size()) {
    const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    failed = n < 0;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text.resize(got);
  if (failed || text.size() > kMaxPreferencesBytes) {
    const std::size_t lastEnd = text.rfind('\n', kMaxPreferencesBytes - 1);
    text.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  }
  return text;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<std::filesystem::path> FindPreferencesFile(const std::filesystem::path& folder) {
  std::error_code error;
  std::optional<std::filesystem::path> found;
  std::filesystem::directory_iterator entries(folder, error);
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::string name = entries->path().filename().string();
    std::error_code kindError;
    if (!SameIgnoringCase(name, kPreferencesFileName) || !entries->is_regular_file(kindError)) {
      continue;
    }
    if (name == kPreferencesFileName) return entries->path();
    // Among other spellings the choice must not depend on the listing order.
    if (!found || name < found->filename().string()) found = entries->path();
  }
  return found;
}

void ReadPreferences(const std::filesystem::path& folder, LinkSettings& settings,
                     ui::Toolkit& toolkit, ui::WindowState& windows) {
  const std::optional<std::filesystem::path> path = FindPreferencesFile(folder);
  if (!path) {
    ui::ShowMessage(toolkit, windows, kPreferencesMissingMessage);
    return;
  }
  ParsePreferences(ReadText(*path), settings);
  toolkit.DoEvents();
}

void WritePreferences(const std::filesystem::path& folder, const LinkSettings& settings) {
  const std::filesystem::path target = folder / kPreferencesFileName;
  std::filesystem::path temporary = target;
  temporary += ".new";
  // A new file of our own, never an existing one: whatever stands under the
  // temporary name (a crashed run's leftover, a link or a second name of
  // another file) is removed, not written through.
  std::error_code error;
  std::filesystem::remove(temporary, error);
  const int fd =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return;
  // The new text reaches the disk before it takes the old file's place, so a
  // crash leaves either the old file or the complete new one.
  const bool written = WriteAll(fd, PreferencesText(settings)) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed) {
    std::filesystem::rename(temporary, target, error);
    if (!error) return;
  }
  std::filesystem::remove(temporary, error);
}

}  // namespace quorbel

#include "device/Preferences.h"

#include <string>
#include <string_view>

#include "device/PreferencesText.h"
#include "platform/FileAccess.h"
#include "toolkit/Messages.h"

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
  // Only a regular file: a pipe or a device put in the file's place must not
  // hold start-up up.
  SystemFile in = SystemFile::OpenToRead(path);
  if (!in.IsOpen()) return {};
  std::string text(kMaxPreferencesBytes + 1, '\0');
  std::size_t got = 0;
  bool failed = false;
  while (got < text.size()) {
    const long long n = in.ReadAt(got, text.data() + got, text.size() - got);
    failed = n < 0;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  text.resize(got);
  if (failed || text.size() > kMaxPreferencesBytes) {
    const std::size_t lastEnd = text.rfind('\n', kMaxPreferencesBytes - 1);
    text.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  }
  return text;
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
  // Left over from a write that was cut short.
  RemoveFile(temporary);
  SystemFile out = SystemFile::CreateNew(temporary);
  if (!out.IsOpen()) return;
  // The new text reaches the disk before it takes the old file's place, so a
  // crash leaves either the old file or the complete new one.
  const bool written = out.WriteAll(PreferencesText(settings)) && out.FlushToDisk();
  const bool closed = out.Close();
  if (written && closed && MoveIntoPlace(temporary, target)) return;
  RemoveFile(temporary);
}

}  // namespace quorbel

#include "keysets/KeysetNames.h"

#include <algorithm>
#include <system_error>

#include "keysets/KeysetTable.h"
#include "platform/FileAccess.h"

namespace quorbel {

namespace {

std::string_view KeysetNameOf(std::string_view fileName) {
  const std::size_t dot = fileName.find('.');
  return dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

bool ListsBefore(std::string_view a, std::string_view b) {
  const bool aDefault = a == kDefaultKeyset;
  if (aDefault != (b == kDefaultKeyset)) return aDefault;
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

std::optional<std::filesystem::path> KeysetFilePath(const std::filesystem::path& folder,
                                                    std::string_view name) {
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
    return std::nullopt;
  }
  std::string fileName(name);
  fileName += kKeysetExtension;
  if (!SystemAllowsFileName(fileName)) return std::nullopt;
  // Names are UTF-8, whatever the system's own code page for file names.
  return folder / std::u8string(fileName.begin(), fileName.end());
}

std::vector<std::string> KeysetFileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::u8string utf8 = entry->path().filename().u8string();
    std::string name(utf8.begin(), utf8.end());
    std::error_code unreadable;  // a dangling link is skipped, not the end of the listing
    if (name.ends_with(kKeysetExtension) && entry->is_regular_file(unreadable)) {
      names.push_back(std::move(name));
    }
  }
  return names;
}

std::vector<std::string> KeysetListNames(std::span<const std::string> fileNames) {
  std::vector<std::string> names;
  for (const std::string& fileName : fileNames) names.emplace_back(KeysetNameOf(fileName));
  std::sort(names.begin(), names.end(), ListsBefore);
  // Files such as "My.qrb" and "My.Keys.qrb" both name the keyset My, whose
  // file is "My.qrb". Two slots of one name would load and save the same
  // file, so the name is listed once.
  names.erase(std::unique(names.begin(), names.end()), names.end());
  if (names.size() > kKeysetSlots) names.resize(kKeysetSlots);
  return names;
}

}  // namespace quorbel

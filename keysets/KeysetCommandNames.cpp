#include "keysets/KeysetCommandNames.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "common/Utf8Path.h"
#include "keysets/KeysetNames.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string AsciiUpper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool IsExecutableFile(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  constexpr fs::perms kAnyExecute =
      fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  return !error && fs::is_regular_file(status) &&
         (status.permissions() & kAnyExecute) != fs::perms::none;
}

// A name the keyset list can hold and that names a file in the keysets
// folder: not empty, no path, and no "|", which separates list entries.
std::optional<std::string> UsableName(std::string name) {
  if (name.find('|') != std::string::npos || !KeysetFilePath({}, name)) return std::nullopt;
  return name;
}

std::string UpToFirstDot(const std::string& fileName) {
  return fileName.substr(0, fileName.find('.'));
}

}  // namespace

std::string ProperCase(std::string_view text) {
  std::string result(text);
  bool afterLetter = false;
  for (char& c : result) {
    if (IsLetter(c)) {
      c = static_cast<char>(afterLetter ? std::tolower(static_cast<unsigned char>(c))
                                        : std::toupper(static_cast<unsigned char>(c)));
    }
    afterLetter = IsLetter(c);
  }
  return result;
}

std::optional<std::string> ProgramKeysetName(const fs::path& program) {
  const std::string fileName = Utf8FromPath(program.filename());
  if (AsciiUpper(fileName).find(".EXE") == std::string::npos && !IsExecutableFile(program)) {
    return std::nullopt;
  }
  return UsableName(ProperCase(UpToFirstDot(fileName)));
}

std::optional<std::string> ImportedKeysetName(const fs::path& file) {
  const std::string fileName = Utf8FromPath(file.filename());
  std::string lower = fileName;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower.find(".qrb") == std::string::npos) return std::nullopt;
  return UsableName(UpToFirstDot(fileName));
}

std::optional<fs::path> ExportTarget(const fs::path& chosen) {
  std::string fileName = Utf8FromPath(chosen.filename());
  if (fileName.empty()) return std::nullopt;
  const std::size_t dot = fileName.find('.');
  if (dot != std::string::npos && dot != 0) fileName.resize(dot);
  fileName += kKeysetExtension;
  return chosen.parent_path() / PathFromUtf8(fileName);
}

}  // namespace quorbel

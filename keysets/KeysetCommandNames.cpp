#include "keysets/KeysetCommandNames.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/Utf8Path.h"
#include "keysets/KeysetNames.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

std::string AsciiUpper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool IsExecutableFile(const fs::path& file) {
#ifdef _WIN32
  // Windows keeps no execute permission: the library makes one up from the
  // name's extension (.bat, .cmd, .com too), and a program is an ".EXE".
  (void)file;
  return false;
#else
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  constexpr fs::perms kAnyExecute =
      fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  return !error && fs::is_regular_file(status) &&
         (status.permissions() & kAnyExecute) != fs::perms::none;
#endif
}

// A name the keyset list can hold and that names a file in the keysets
// folder: not empty, no path, and no "|", which separates list entries.
std::optional<std::string> UsableName(std::string name) {
  if (name.find('|') != std::string::npos || !KeysetFilePath({}, name)) return std::nullopt;
  return name;
}

// The program `name` as a shell finds it along PATH; the name as it is when
// it is not found there.
fs::path FoundOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  std::string folder;
  while (!name.empty() && std::getline(folders, folder, ':')) {
    const fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return name;
}

std::string UpToFirstDot(const std::string& fileName) {
  return fileName.substr(0, fileName.find('.'));
}

}  // namespace

fs::path RunningProgram(const fs::path& program) {
  std::error_code error;
  fs::path resolved = fs::canonical(program, error);
  return error ? program : resolved;
}

std::optional<std::string> ProgramKeysetName(const fs::path& program) {
  const fs::path running = RunningProgram(program);
  const std::string fileName = Utf8FromPath(running.filename());
  if (AsciiUpper(fileName).find(".EXE") == std::string::npos && !IsExecutableFile(running)) {
    return std::nullopt;
  }
  return UsableName(ProperCase(UpToFirstDot(fileName)));
}

std::optional<fs::path> ScriptInterpreter(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line) || !line.starts_with("#!")) return std::nullopt;
  std::istringstream words(line.substr(2));
  std::string word;
  words >> word;
  fs::path interpreter = word;
  if (interpreter.filename() == "env") {
    // The first word that is no option and no setting names the program.
    std::string program;
    while (program.empty() && words >> word) {
      if (!word.starts_with("-") && word.find('=') == std::string::npos) program = word;
    }
    interpreter = FoundOnPath(program);
  }
  return RunningProgram(interpreter);
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

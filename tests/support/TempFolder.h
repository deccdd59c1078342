#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace quorbel {

// A new, empty folder of the test's own in the system's temporary folder,
// named `prefix` and a random tail; the same on every system. Private to the
// user, as a runtime folder must be for the program to keep its instance lock
// there. Throws when none can be made.
inline std::filesystem::path MakeTempFolder(std::string_view prefix) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = base / (std::string(prefix) + std::to_string(random()));
    // False when the name is taken: another try with another name.
    if (std::filesystem::create_directory(folder)) {
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
      return folder;
    }
  }
  throw std::filesystem::filesystem_error("no new temporary folder", base,
                                          std::make_error_code(std::errc::file_exists));
}

// A folder made by MakeTempFolder that goes, with everything in it, when the
// object does.
class TempFolder {
 public:
  explicit TempFolder(std::string_view prefix) : path_(MakeTempFolder(prefix)) {}
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A temporary folder that is the working folder while it lives, so that
// relative names such as "ports/comN" are found where the program finds them;
// the working folder before it comes back afterwards.
class WorkingFolder {
 public:
  explicit WorkingFolder(std::string_view prefix) : folder_(prefix) {
    std::filesystem::current_path(folder_.Path());
  }
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const std::filesystem::path& Path() const { return folder_.Path(); }

 private:
  std::filesystem::path previous_ = std::filesystem::current_path();
  TempFolder folder_;
};

}  // namespace quorbel

#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace quorbel {

// A new, empty folder of the test's own in the system's temporary folder,
// named `prefix` and a random tail; the same on every system. Throws when
// none can be made.
inline std::filesystem::path MakeTempFolder(std::string_view prefix) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = base / (std::string(prefix) + std::to_string(random()));
    // False when the name is taken: another try with another name.
    if (std::filesystem::create_directory(folder)) return folder;
  }
  throw std::filesystem::filesystem_error("no new temporary folder", base,
                                          std::make_error_code(std::errc::file_exists));
}

}  // namespace quorbel

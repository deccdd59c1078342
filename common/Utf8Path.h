#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorbel {

// Paths and the program's texts, which are UTF-8 on every system. A plain
// std::string would be taken in the system's own code page on Windows.
inline std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace quorbel

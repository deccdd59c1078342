#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

inline constexpr std::string_view kKeysetExtension = ".qrb";
inline constexpr std::string_view kDefaultKeyset = "Default";

// The file of keyset `name` in the keysets folder: the name followed by
// ".qrb". A keyset name is only ever a file name inside that folder, so a
// name that could point anywhere else (empty, ".", "..", or holding a "/" or
// a zero byte, or one the system reserves, such as "NUL" on Windows) has no
// file at all. Every operation that turns a keyset name
// into a path goes through here.
std::optional<std::filesystem::path> KeysetFilePath(const std::filesystem::path& folder,
                                                    std::string_view name);

// The names of the regular files in `folder` whose names end in ".qrb"
// (exactly so: case counts), in the order the folder lists them. None when
// the folder is missing or cannot be read.
std::vector<std::string> KeysetFileNames(const std::filesystem::path& folder);

// The keyset list made from the keyset files' names: each name up to its
// first "." (the whole name when it starts with "."), sorted by character
// codes with case counting, "Default" first. The list has room for as many
// keysets as the table; with more files the first names in that order are
// taken, so "Default" is always among them when its file exists.
std::vector<std::string> KeysetListNames(std::span<const std::string> fileNames);

}  // namespace quorbel

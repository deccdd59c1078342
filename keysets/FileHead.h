#pragma once

#include <filesystem>
#include <span>

namespace quorbel {

// Reads the first head.size() bytes of a regular file into `head`. Bytes the
// file does not have (a short file, or a read error part way) become zero.
// False, with `head` untouched, when there is no such file or it cannot be
// opened. `fileBytes`, when given, gets how many bytes the file gave.
bool ReadFileHead(const std::filesystem::path& file, std::span<char> head,
                  std::size_t* fileBytes = nullptr);

// Makes `head` the first bytes of the file and keeps whatever an existing
// file holds past head.size(). The file is never written in place: a new file
// is written beside it, checked, flushed to disk and renamed over it, so that
// at any moment the file is either wholly old or wholly new. False, with an
// existing file left exactly as it was, when that file cannot be opened for
// writing, when its folder takes no new file, or on any write error.
bool ReplaceFileHead(const std::filesystem::path& file, std::span<const char> head);

// Removes the temporary files that saves of programs no longer running left
// in `folder` when they were cut short (a crash, a kill). A save in progress in
// a running program keeps its file.
void RemoveStaleSaves(const std::filesystem::path& folder);

}  // namespace quorbel

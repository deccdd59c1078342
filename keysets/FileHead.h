#pragma once

#include <filesystem>
#include <span>
#include <system_error>
#include <type_traits>

namespace quorbel {

// Why a file could not be replaced, beside the system's own reasons.
enum class FileHeadError {
  LinkNotFollowed = 1,  // a symbolic link stands at the path (see LinkPolicy)
  NotARegularFile,      // a folder, device or pipe stands at the path
  ShortFile,            // the new file did not get its full length
};
std::error_code make_error_code(FileHeadError error);

// What a symbolic link that stands at the path to be replaced does.
enum class LinkPolicy {
  // Nothing is written through it: whoever could place it there chose where
  // the bytes would go.
  Refuse,
  // Followed to the file it leads to when only the user could have placed it:
  // the link is the user's and so are the folder it stands in and the folder
  // it leads to, neither of which anyone else may write. The link stays.
  FollowOwnPrivate,
};

// Reads the first head.size() bytes of a regular file into `head`. Bytes the
// file does not have (a short file, or a read error part way) become zero.
// False, with `head` untouched, when there is no such file or it cannot be
// opened. `fileBytes`, when given, gets how many bytes the file gave.
bool ReadFileHead(const std::filesystem::path& file, std::span<char> head,
                  std::size_t* fileBytes = nullptr);

// Makes `head` the first bytes of the file and keeps whatever an existing
// file holds past head.size(). The file is never written in place: a new file
// is made beside it (exclusively, never through a link), written, checked,
// flushed to disk and renamed over the path itself, so that at any moment the
// file is either wholly old or wholly new, and a link put in its place at any
// moment is replaced, never written through. On failure, with an existing
// file left exactly as it was, the reason: the file cannot be opened for
// writing, its folder takes no new file, a write error, or a link that the
// policy does not follow.
std::error_code ReplaceFileHead(const std::filesystem::path& file, std::span<const char> head,
                                LinkPolicy links);

// Removes the temporary files that saves of programs no longer running left
// in `folder` when they were cut short (a crash, a kill). A save in progress in
// a running program keeps its file.
void RemoveStaleSaves(const std::filesystem::path& folder);

}  // namespace quorbel

template <>
struct std::is_error_code_enum<quorbel::FileHeadError> : std::true_type {};

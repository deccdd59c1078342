#pragma once

#include <filesystem>
#include <string>

namespace quorbel {

enum class FolderTrust {
  Private,         // the user's own (or the system's); others cannot change it
  Missing,         // no such folder
  NotAFolder,      // something else stands under its name
  OthersMayWrite,  // another user owns it, or others may add, remove or rename in it
};

// Whether other users could change what a folder holds. Keysets are played
// into the user's programs and a port link decides which device the program
// listens to, so neither is taken from a folder that others can write: they
// could plant a keyset that types commands into the user's terminal. A folder
// the group may write counts as private only when the group is the user's
// own. Symbolic links are followed: a link to a folder elsewhere is judged by
// that folder.
FolderTrust CheckFolder(const std::filesystem::path& folder);

// A folder and the folder it stands in are both private (or missing).
bool FolderIsTrusted(const std::filesystem::path& folder);

// One line for the user about a folder others may write, with the command
// that makes it private.
std::string UntrustedFolderText(const std::filesystem::path& folder);

}  // namespace quorbel

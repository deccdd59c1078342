#include "common/FolderTrust.h"

#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

FolderTrust CheckFolder(const std::filesystem::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return FolderTrust::Missing;
  if (!S_ISDIR(info.st_mode)) return FolderTrust::NotAFolder;
  const bool ownedByUs = info.st_uid == ::geteuid() || info.st_uid == 0;
  const bool groupMayWrite = (info.st_mode & S_IWGRP) != 0 && info.st_gid != ::getegid();
  const bool othersMayWrite = (info.st_mode & S_IWOTH) != 0;
  if (!ownedByUs || groupMayWrite || othersMayWrite) return FolderTrust::OthersMayWrite;
  return FolderTrust::Private;
}

bool FolderIsTrusted(const std::filesystem::path& folder) {
  const std::filesystem::path parent = folder.parent_path().empty() ? "." : folder.parent_path();
  return CheckFolder(parent) != FolderTrust::OthersMayWrite &&
         CheckFolder(folder) != FolderTrust::OthersMayWrite;
}

std::string UntrustedFolderText(const std::filesystem::path& folder) {
  return "Other users can change the folder " + folder.string() +
         ", so QuorbelU does not use it. Make it yours alone: chmod go-w '" + folder.string() + "'";
}

}  // namespace quorbel

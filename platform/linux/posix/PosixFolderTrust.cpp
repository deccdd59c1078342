#include <sys/stat.h>
#include <unistd.h>

#include "platform/FolderTrust.h"

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

}  // namespace quorbel

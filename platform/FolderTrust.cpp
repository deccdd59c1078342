#include "platform/FolderTrust.h"

namespace quorbel {

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

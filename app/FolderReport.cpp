#include "app/FolderReport.h"

#include <vector>

#include "platform/FolderTrust.h"

namespace quorbel {

std::string FolderTroubleText(const std::filesystem::path& workFolder, const KeysetFiles& files) {
  std::vector<std::string> lines;
  // Everything below a working folder that others can write could be swapped,
  // so its keysets and port links are refused with it.
  if (CheckFolder(workFolder) == FolderTrust::OthersMayWrite) {
    lines.push_back(UntrustedFolderText(workFolder));
  } else {
    if (std::string keysets = files.FolderTrouble(); !keysets.empty()) lines.push_back(keysets);
    const std::filesystem::path ports = workFolder / "ports";
    if (CheckFolder(ports) == FolderTrust::OthersMayWrite) {
      lines.push_back(UntrustedFolderText(ports));
    }
  }
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "|") + line;
  return text;
}

}  // namespace quorbel

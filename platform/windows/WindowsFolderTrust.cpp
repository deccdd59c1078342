#include <system_error>

#include "platform/FolderTrust.h"

namespace quorbel {

// A user's folders on Windows are guarded by their access lists, which the
// program does not judge: a folder counts as the user's own.
FolderTrust CheckFolder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (error || !std::filesystem::exists(status)) return FolderTrust::Missing;
  if (!std::filesystem::is_directory(status)) return FolderTrust::NotAFolder;
  return FolderTrust::Private;
}

}  // namespace quorbel

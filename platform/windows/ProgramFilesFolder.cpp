#include "platform/windows/ProgramFilesFolder.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cwchar>

#include "platform/windows/WideText.h"

namespace quorbel {

std::string ProgramFilesFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  if (::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES, FALSE) && folder[0] != 0) {
    return Utf8FromWide({folder, std::wcslen(folder)});
  }
  return "C:\\Program Files";
}

}  // namespace quorbel

// File dialogs and help of the Win32 toolkit.
#include <windows.h>
// The common dialogs and the shell need the system's types first.
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "platform/windows/WideText.h"
#include "toolkit/ListItems.h"
#include "toolkit/PropertyLetters.h"
#include "toolkit/win32/Win32Toolkit.h"

namespace quorbel::ui {

namespace {

// Room for a chosen path: the longest the wide file calls take.
constexpr std::size_t kPathRoom = 32768;

// A filter "Programs|*.exe|All|*.*" (name and patterns, alternating) as the
// dialogs take it: each part closed by a zero character, and one more at the
// end. A name without patterns shows every file.
std::wstring DialogFilter(const std::string& filter) {
  const std::vector<std::string> parts = SplitItems(filter);
  std::wstring dialog;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    dialog += WideFromUtf8(parts[i]);
    dialog.push_back(L'\0');
    dialog += i + 1 < parts.size() ? WideFromUtf8(parts[i + 1]) : L"*";
    dialog.push_back(L'\0');
  }
  dialog.push_back(L'\0');
  return dialog;
}

std::wstring CurrentDirectory() {
  std::wstring folder(kPathRoom, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  folder.resize(length < folder.size() ? length : 0);
  return folder;
}

// Runs the open or save dialog; the current directory is the same afterwards.
std::string ChooseFile(OPENFILENAMEW& dialog, bool save) {
  const std::wstring current = CurrentDirectory();
  dialog.Flags |= OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_HIDEREADONLY;
  const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!current.empty()) ::SetCurrentDirectoryW(current.c_str());
  return chosen != 0 ? Utf8FromWide(dialog.lpstrFile) : std::string();
}

}  // namespace

HWND Win32Toolkit::DialogOwner(const std::string& form) const {
  const Win32Form* f = FindForm(form);
  return f != nullptr ? f->window : nullptr;
}

std::string Win32Toolkit::OpenFileDialog(const std::string& form, const std::string& title,
                                         const std::string& startFolder, const std::string& filter,
                                         const std::string& letters) {
  return OnGui([&] {
    const std::wstring wideTitle = WideFromUtf8(title);
    const std::wstring folder = WideFromUtf8(startFolder);
    const std::wstring wideFilter = DialogFilter(filter);
    std::wstring file(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = DialogOwner(form);
    dialog.lpstrFilter = wideFilter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = wideTitle.c_str();
    dialog.Flags = ReadFileDialogLetters(letters).mustExist ? OFN_FILEMUSTEXIST : 0;
    return ChooseFile(dialog, false);
  });
}

std::string Win32Toolkit::SaveFileDialog(const std::string& form, const std::string& title,
                                         const std::string& startFolder,
                                         const std::string& proposedName, const std::string& filter,
                                         const std::string& defaultExtension,
                                         const std::string& /*letters*/) {
  return OnGui([&] {
    const std::wstring wideTitle = WideFromUtf8(title);
    const std::wstring folder = WideFromUtf8(startFolder);
    const std::wstring wideFilter = DialogFilter(filter);
    const std::wstring extension = WideFromUtf8(defaultExtension);
    std::wstring file = WideFromUtf8(proposedName);
    file.resize(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = DialogOwner(form);
    dialog.lpstrFilter = wideFilter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = wideTitle.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The dialog never asks before a file is replaced: the program asks
    // itself, about the file it will write, so the user is asked once.
    dialog.Flags = OFN_PATHMUSTEXIST;
    return ChooseFile(dialog, true);
  });
}

bool Win32Toolkit::ShowHelp(const std::string& form, const std::string& helpFile) {
  return OnGui([&] {
    const std::wstring file = WideFromUtf8(helpFile);
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return false;
    }
    // The shell opens the file with the viewer the desktop has for it.
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(DialogOwner(form), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
  });
}

}  // namespace quorbel::ui

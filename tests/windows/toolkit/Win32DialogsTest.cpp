#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "ToolkitFixture.h"
#include "platform/windows/WideText.h"

namespace quorbel::ui {
namespace {

constexpr int kFileNameBox = 0x47c;     // the dialog's file name (a combo box)
constexpr int kOldFileNameBox = 0x480;  // the same in the older dialog

// The user of a file dialog titled `title`: types `name` and presses OK, or
// cancels when `name` is empty. Waits up to ten seconds for the dialog.
std::thread Answer(const wchar_t* title, std::wstring name) {
  return std::thread([title, name] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    HWND dialog = nullptr;
    while (dialog == nullptr && std::chrono::steady_clock::now() < deadline) {
      dialog = ::FindWindowW(L"#32770", title);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (dialog == nullptr) return;
    if (name.empty()) {
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (::SetDlgItemTextW(dialog, kFileNameBox, name.c_str()) == 0) {
      ::SetDlgItemTextW(dialog, kOldFileNameBox, name.c_str());
    }
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
}

class DialogTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    wchar_t temporary[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temporary);
    folder = std::wstring(temporary) + L"quorbel-dialogs";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    existing = folder + L"\\cubase.exe";
    HANDLE file = ::CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ::CloseHandle(file);
  }

  void TearDown() override {
    ::DeleteFileW(existing.c_str());
    ::RemoveDirectoryW(folder.c_str());
  }

  std::wstring CurrentDirectory() const {
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    return current;
  }

  std::wstring folder;
  std::wstring existing;
};

TEST_F(DialogTest, TheOpenDialogGivesTheFullPathOrNothingAndKeepsTheCurrentDirectory) {
  const std::wstring before = CurrentDirectory();
  std::thread user = Answer(L"New Keyset", L"cubase.exe");
  const std::string chosen =
      kit.OpenFileDialog("main", "New Keyset", Utf8FromWide(folder), "Programs|*.exe", "N");
  user.join();
  EXPECT_EQ(chosen, Utf8FromWide(existing));
  EXPECT_EQ(CurrentDirectory(), before);

  std::thread canceller = Answer(L"Import Keyset", L"");
  EXPECT_EQ(kit.OpenFileDialog("main", "Import Keyset", Utf8FromWide(folder),
                               "Keysets|*.qrb|All|*.*", "N"),
            "");
  canceller.join();
}

TEST_F(DialogTest, TheSaveDialogAddsTheExtensionAndDoesNotAskAboutReplacing) {
  const std::wstring keyset = folder + L"\\Default.qrb";
  HANDLE file = ::CreateFileW(keyset.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ::CloseHandle(file);
  std::thread user = Answer(L"Export Keyset", L"Default");
  const std::string chosen = kit.SaveFileDialog("main", "Export Keyset", Utf8FromWide(folder),
                                                "Default", "Keysets|*.qrb", "qrb", "");
  user.join();
  ::DeleteFileW(keyset.c_str());
  // The name of an existing file comes back without a question in between.
  EXPECT_EQ(chosen, Utf8FromWide(keyset));
}

TEST_F(ToolkitTest, HelpThatIsNotThereIsNotShown) {
  EXPECT_FALSE(kit.ShowHelp("main", "C:\\no-such-folder\\quorbel.hlp"));
  EXPECT_FALSE(kit.ShowHelp("main", "C:\\windows"));
}

}  // namespace
}  // namespace quorbel::ui

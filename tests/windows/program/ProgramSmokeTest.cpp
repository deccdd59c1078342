// quorbelu.exe itself under Wine: it starts with its keysets listed, ends on
// the close box and on the end of the session with its preferences written,
// and a second copy is refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/windows/program/ProgramProcess.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path program;  // quorbelu.exe, from the command line

constexpr wchar_t kFormClass[] = L"QuorbelForm";
constexpr wchar_t kBoxClass[] = L"#32770";
constexpr int kKeysetList = 410;
constexpr int kKeysetDisplayItem = 1910;  // Windows menu: the Keyset Display
// A port that no test maps: opening it fails.
constexpr int kMissingPort = 29;

std::string FileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::wstring> ListedKeysets(HWND main) {
  const HWND list = ::GetDlgItem(main, kKeysetList);
  std::vector<std::wstring> names;
  const auto count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t name[256] = {};
    if (::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256) {
      ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
    }
    names.emplace_back(name);
  }
  return names;
}

class ProgramSmokeTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteProgramFolder(folder.Path(), kMissingPort, 19200, 11); }

  // Starts a copy and waits for its main window with the keyset list filled,
  // answering the message that the port cannot be opened.
  HWND StartAndShow(ProgramProcess& copy) {
    HWND box = copy.WaitForWindow(kBoxClass, L"QuorbelU", 30s);
    EXPECT_NE(box, nullptr) << "no message about the port";
    if (box == nullptr) return nullptr;
    EXPECT_EQ(MessageTextOf(box), L"Failure to start communications on Com 29");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = nullptr;
    Within(20s, [&] {
      for (HWND window : copy.Windows(kFormClass)) {
        if (WindowTitleOf(window).starts_with(L"Quorbel") && ListedKeysets(window).size() == 11) {
          main = window;
        }
      }
      return main != nullptr && copy.Window(kBoxClass, L"QuorbelU") == nullptr;
    });
    EXPECT_NE(main, nullptr) << "no main window with eleven keysets";
    return main;
  }

  // Tells every top-level window of the copy that the session ends, the
  // hidden ones too, as the system does.
  static void EndSession(const ProgramProcess& copy) {
    std::vector<HWND> told;
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&told));
    for (HWND window : told) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner != copy.Id()) continue;
      DWORD_PTR agreed = 0;
      if (::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                &agreed) &&
          agreed != 0) {
        ::PostMessageW(window, WM_ENDSESSION, TRUE, 0);
      }
    }
  }

  // The preferences file is gone, so only a shutdown can bring it back.
  void ForgetPreferences() { fs::remove(folder.Path() / "QuorbelU.ini"); }
  void ExpectPreferencesWritten() {
    const std::string preferences = FileText(folder.Path() / "QuorbelU.ini");
    EXPECT_NE(preferences.find("Com Port=29"), std::string::npos) << preferences;
    EXPECT_NE(preferences.find("Baud Rate=19200"), std::string::npos) << preferences;
  }

  TempFolder folder{"quorbelu-program-"};
};

TEST_F(ProgramSmokeTest, ShowsItsKeysetsAndEndsOnTheCloseBoxWithThePreferencesWritten) {
  ProgramProcess copy(program, folder.Path());
  const HWND main = StartAndShow(copy);
  ASSERT_NE(main, nullptr);
  const std::vector<std::wstring> names = ListedKeysets(main);
  EXPECT_EQ(names.front(), L"Default");
  EXPECT_EQ(names.back(), L"Program9");  // listed by name: Program10 sorts before Program2
  ForgetPreferences();
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(copy.WaitForExit(20s), 0);
  ExpectPreferencesWritten();
}

// Ports that come and go are told to every top-level window; the program
// looks at its ports again and runs on.
TEST_F(ProgramSmokeTest, TakesTheNoticeOfChangedPortsAndRunsOn) {
  ProgramProcess copy(program, folder.Path());
  const HWND main = StartAndShow(copy);
  ASSERT_NE(main, nullptr);
  HWND session = nullptr;
  while ((session = ::FindWindowExW(nullptr, session, L"QuorbelUSession", nullptr)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(session, &owner);
    if (owner == copy.Id()) break;
  }
  ASSERT_NE(session, nullptr) << "no window hears the system's notices";
  DWORD_PTR answer = 0;
  ASSERT_TRUE(::SendMessageTimeoutW(session, WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0,
                                    SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  EXPECT_EQ(ListedKeysets(main).size(), 11u);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(copy.WaitForExit(20s), 0);
}

TEST_F(ProgramSmokeTest, TheEndOfTheSessionEndsItWithThePreferencesWritten) {
  ProgramProcess copy(program, folder.Path());
  ASSERT_NE(StartAndShow(copy), nullptr);
  ForgetPreferences();
  EndSession(copy);
  ASSERT_EQ(copy.WaitForExit(20s), 0);
  ExpectPreferencesWritten();
}

// The session ends while start-up waits for the user to answer its message:
// the message goes with the program, which still writes its preferences.
TEST_F(ProgramSmokeTest, TheEndOfTheSessionEndsItWhileAMessageWaits) {
  ProgramProcess copy(program, folder.Path());
  ASSERT_NE(copy.WaitForWindow(kBoxClass, L"QuorbelU", 30s), nullptr);
  ForgetPreferences();
  EndSession(copy);
  ASSERT_EQ(copy.WaitForExit(20s), 0);
  ExpectPreferencesWritten();
}

// A modal form of the program's own waits in a loop of its own: the end of
// the session leaves that loop too.
TEST_F(ProgramSmokeTest, TheEndOfTheSessionEndsItWhileTheKeysetDisplayIsOpen) {
  ProgramProcess copy(program, folder.Path());
  const HWND main = StartAndShow(copy);
  ASSERT_NE(main, nullptr);
  // Menu commands count only while the main window is in front.
  ::SetForegroundWindow(main);
  ASSERT_TRUE(Within(10s, [&] { return ::GetForegroundWindow() == main; }));
  ::PostMessageW(main, WM_COMMAND, kKeysetDisplayItem, 0);
  ASSERT_TRUE(Within(20s, [&] {
    for (HWND window : copy.Windows(kFormClass)) {
      if (WindowTitleOf(window).starts_with(L"Keyset Display - Default")) return true;
    }
    return false;
  }));
  ForgetPreferences();
  EndSession(copy);
  ASSERT_EQ(copy.WaitForExit(20s), 0);
  ExpectPreferencesWritten();
}

TEST_F(ProgramSmokeTest, ASecondCopyIsRefusedAndEndsWhileTheFirstRunsOn) {
  ProgramProcess first(program, folder.Path());
  const HWND main = StartAndShow(first);
  ASSERT_NE(main, nullptr);
  ProgramProcess second(program, folder.Path());
  const HWND box = second.WaitForWindow(kBoxClass, L"Brenlow Electronics, Inc.", 30s);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageTextOf(box), L"QuorbelU is Already Running");
  EXPECT_TRUE(second.Windows(kFormClass).empty());
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(second.WaitForExit(20s), 0);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(::IsWindowVisible(main));
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(20s), 0);
}

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: windows_program QUORBELU.EXE\n");
    return 2;
  }
  quorbel::program = quorbel::WindowsPath(argv[1]);
  return RUN_ALL_TESTS();
}

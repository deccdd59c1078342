// A keyset save on Windows killed at any moment leaves the old file or the
// new one whole, never a torn one. The program is its own saver: started with
// --saver FILE it saves FILE over and over, each time wholly one byte value.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "keysets/FileHead.h"
#include "platform/FileAccess.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKeysetBytes = 230'736;

int RunSaver(const fs::path& file) {
  std::vector<char> bytes(kKeysetBytes);
  for (unsigned round = 1;; ++round) {
    std::fill(bytes.begin(), bytes.end(), static_cast<char>('A' + round % 26));
    if (ReplaceFileHead(file, bytes, LinkPolicy::Refuse)) return 1;
  }
}

fs::path TestFolder() {
  const fs::path folder =
      fs::temp_directory_path() / ("quorbel-savekill-" + std::to_string(::GetCurrentProcessId()));
  fs::create_directories(folder);
  return folder;
}

std::wstring ThisProgram() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

TEST(SaveKill, AKilledSaveLeavesTheKeysetWholeAndItsLeftoverIsRemovedLater) {
  const fs::path folder = TestFolder();
  const fs::path file = folder / u8"Pl\u00e4ne.qrb";
  ASSERT_FALSE(ReplaceFileHead(file, std::vector<char>(kKeysetBytes, 'A'), LinkPolicy::Refuse));
  for (int round = 0; round < 8; ++round) {
    std::wstring command = L"\"" + ThisProgram() + L"\" --saver \"" + file.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &saver));
    // Killed after a different number of saves each round.
    EXPECT_EQ(::WaitForSingleObject(saver.hProcess, static_cast<DWORD>(60 + 37 * round)),
              static_cast<DWORD>(WAIT_TIMEOUT))
        << "the saver ended by itself: a save failed";
    ::TerminateProcess(saver.hProcess, 9);
    ::WaitForSingleObject(saver.hProcess, 10'000);
    ::CloseHandle(saver.hThread);
    ::CloseHandle(saver.hProcess);

    std::vector<char> found(kKeysetBytes + 1);
    ASSERT_TRUE(ReadFileHead(file, found));
    EXPECT_EQ(found.back(), '\0') << "longer than a keyset";
    found.pop_back();
    EXPECT_TRUE(std::all_of(found.begin(), found.end(), [&](char c) { return c == found[0]; }))
        << "a torn keyset after round " << round;
  }
  RemoveStaleSaves(folder);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 1U) << "leftovers of killed saves stay behind";
  fs::remove_all(folder);
}

TEST(WindowsFileNames, DeviceNamesAndNamesWindowsWouldChangeAreRefused) {
  for (const char* refused : {"CON.qrb", "nul.qrb", "Aux", "COM1.qrb", "lpt9.x.qrb", "Trail.",
                              "Trail ", "a:b.qrb", "what?.qrb"}) {
    EXPECT_FALSE(SystemAllowsFileName(refused)) << refused;
  }
  for (const char* allowed : {"Console.qrb", "COM10.qrb", "Nulled.qrb", "Default.qrb", ".hidden"}) {
    EXPECT_TRUE(SystemAllowsFileName(allowed)) << allowed;
  }
}

TEST(WindowsFileNames, CaseOnlyTwinsAreOneFileForEveryLetter) {
  EXPECT_TRUE(SystemSameFileName("Acme.qrb", "ACME.QRB"));
  EXPECT_TRUE(SystemSameFileName("\u00c9mile.qrb", "\u00e9mile.qrb"));          // É, é
  EXPECT_TRUE(SystemSameFileName("\u041c\u043e\u0439", "\u043c\u043e\u0439"));  // Мой, мой
  EXPECT_FALSE(SystemSameFileName("Acme.qrb", "Acm\u00e9.qrb"));
  EXPECT_FALSE(SystemSameFileName("Acme", "Acme "));
}

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--saver") == 0) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    return quorbel::RunSaver(std::filesystem::path(wide[2]));
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

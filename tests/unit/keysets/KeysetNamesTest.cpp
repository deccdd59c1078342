#include "keysets/KeysetNames.h"

#include <gtest/gtest.h>

#include "tests/support/KeysetFolder.h"

namespace quorbel {
namespace {

using Names = std::vector<std::string>;

TEST(KeysetListNames, DefaultFirstThenCharacterCodes) {
  EXPECT_EQ(KeysetListNames(Names{"Zeta.qrb", "Default.qrb", "alpha.qrb", "Beta.qrb"}),
            (Names{"Default", "Beta", "Zeta", "alpha"}));
  // Only the exact name leads; bytes above 127 sort after ASCII.
  EXPECT_EQ(KeysetListNames(Names{"default.qrb", "\xC4pfel.qrb", "Zeta.qrb", "Alpha.qrb"}),
            (Names{"Alpha", "Zeta", "default", "\xC4pfel"}));
  EXPECT_TRUE(KeysetListNames(Names{}).empty());
}

TEST(KeysetListNames, NameEndsAtTheFirstDotUnlessItStartsThere) {
  EXPECT_EQ(KeysetListNames(Names{"My.Keys.qrb"}), Names{"My"});
  EXPECT_EQ(KeysetListNames(Names{".hidden.qrb", ".qrb"}), (Names{".hidden.qrb", ".qrb"}));
  // Both files name the keyset My, whose file is My.qrb: it is listed once.
  EXPECT_EQ(KeysetListNames(Names{"My.Keys.qrb", "Ab.qrb", "My.qrb"}), (Names{"Ab", "My"}));
}

TEST(KeysetListNames, NeverMoreThanElevenAndDefaultStays) {
  Names files;
  for (char c = 'N'; c >= 'A'; --c) files.push_back(std::string(1, c) + ".qrb");
  EXPECT_EQ(KeysetListNames(files), (Names{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K"}));
  files.push_back("Default.qrb");
  EXPECT_EQ(KeysetListNames(files),
            (Names{"Default", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}));
}

using KeysetFileNamesTest = KeysetFolderTest;

TEST_F(KeysetFileNamesTest, OnlyRegularFilesEndingInTheExtension) {
  EXPECT_TRUE(KeysetFileNames(folder).empty());
  fs::create_directory(folder);
  for (const char* name : {"A.qrb", "B.QRB", "C.qrb.tmp", "F.txt", ".save-1-0.tmp"}) {
    WriteFile(folder / name, "x");
  }
  fs::create_directory(folder / "D.qrb");
  fs::create_symlink(folder / "gone", folder / "E.qrb");
  fs::create_symlink(folder / "A.qrb", folder / "G.qrb");
  Names found = KeysetFileNames(folder);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (Names{"A.qrb", "G.qrb"}));
}

}  // namespace
}  // namespace quorbel

// What the keysets folder's load path tells the user: short files named, a
// folder others may write refused, a pipe in place of a keyset passed over.
#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/KeysetFolder.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class KeysetFolderTroubleTest : public KeysetFolderTest {
 protected:
  void SetUp() override { fs::create_directory(folder); }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : toolkit.MessageBoxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(KeysetFolderTroubleTest, FilesShorterThanTheWorkingLayersAreNamedInOneMessage) {
  WriteFile(KeysetFile("Tiny"), std::string(100, 'x'));
  WriteFile(KeysetFile("Half"), std::string(kShortKeysetFileBytes - 1, 'x'));
  WriteFile(KeysetFile("Enough"), std::string(kShortKeysetFileBytes, 'x'));
  WriteFile(KeysetFile("Default"), std::string(kKeysetFileBytes, '\0'));
  const std::vector<std::string> names{"Default", "Enough", "Half", "Tiny"};
  files.LoadKeysets(names);
  EXPECT_THAT(Messages(),
              ElementsAre(std::string(kShortKeysetFilesMessage) + "Half.qrb, Tiny.qrb"));
  // Still loaded as they are: the bytes, then zeros.
  EXPECT_EQ(Image(3).substr(0, 101), std::string(100, 'x') + '\0');
  EXPECT_EQ(windows.DialogActive, 0);
  const std::vector<std::string> whole{"Default"};
  files.LoadKeysets(whole);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(KeysetFolderTroubleTest, FolderOthersMayWriteIsNeitherListedReadNorWritten) {
  WriteFile(KeysetFile("Xterm"), std::string(kKeysetFileBytes, 'p'));
  fs::permissions(folder, fs::perms::others_write, fs::perm_options::add);
  EXPECT_THAT(files.ListKeysetFiles(), IsEmpty());
  keysets.Lock()->SetKeysetName(0, "Xterm");
  files.LoadKeyset(0);
  EXPECT_EQ(Image(0).substr(kKeysetLayerBytes, 4), std::string(4, '\0'));
  EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  EXPECT_EQ(ReadFile(KeysetFile("Xterm")), std::string(kKeysetFileBytes, 'p'));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_THAT(Messages()[0], ::testing::StartsWith("The keyset is not saved. Other users can"));
  EXPECT_THAT(files.FolderTrouble(), ::testing::HasSubstr("chmod go-w"));
  // The same folder in a working folder others may write is refused too.
  fs::permissions(folder, fs::perms::others_write, fs::perm_options::remove);
  EXPECT_THAT(files.ListKeysetFiles(), ElementsAre("Xterm.qrb"));
  fs::permissions(root, fs::perms::others_write, fs::perm_options::add);
  EXPECT_THAT(files.ListKeysetFiles(), IsEmpty());
}

TEST_F(KeysetFolderTroubleTest, MissingOrUnreadableFolderIsSaid) {
  EXPECT_THAT(files.FolderTrouble(), IsEmpty());
  fs::remove(folder);
  EXPECT_THAT(files.FolderTrouble(), ::testing::StartsWith("There is no keysets folder"));
  WriteFile(folder, "not a folder");
  EXPECT_THAT(files.FolderTrouble(), ::testing::HasSubstr("is not a folder"));
}

TEST_F(KeysetFolderTroubleTest, PipeNamedLikeAKeysetDoesNotHangTheLoad) {
  ASSERT_EQ(::mkfifo(KeysetFile("Pipe").c_str(), 0600), 0);
  EXPECT_THAT(files.ListKeysetFiles(), IsEmpty());
  keysets.Lock()->SetKeysetName(0, "Pipe");
  files.LoadKeyset(0);  // returns at once: a pipe is no keyset file
  EXPECT_THAT(Messages(), IsEmpty());
}

}  // namespace
}  // namespace quorbel

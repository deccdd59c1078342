#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "keysets/FileHead.h"
#include "tests/support/KeysetFolder.h"

namespace quorbel {
namespace {

// Permissions do not bind root, so a test that needs them to runs as nobody
// while it lasts.
class Unprivileged {
 public:
  Unprivileged() : root_(::geteuid() == 0) {
    if (root_) {
      EXPECT_TRUE(::setegid(65534) == 0 && ::seteuid(65534) == 0);
    }
  }
  ~Unprivileged() {
    if (root_) {
      EXPECT_TRUE(::seteuid(0) == 0 && ::setegid(0) == 0);
    }
  }

 private:
  bool root_;
};

class KeysetSaveSafetyTest : public KeysetFolderTest {
 protected:
  void SetUp() override {
    // Folders of the user's own: keysets in folders others may write are not used.
    const fs::perms own = fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write;
    fs::permissions(root, own);
    fs::create_directory(folder);
    fs::permissions(folder, own);
    WriteFile(KeysetFile("Default"), old);
    fs::permissions(KeysetFile("Default"), fs::perms::all & ~fs::perms::owner_exec &
                                               ~fs::perms::group_exec & ~fs::perms::others_exec);
    keysets.Lock()->SetKeysetName(0, "Default");
    keysets.Lock()->SetStep(1, 1, Step{0, 0, 'N', 0, 0});
  }

  // The file is as it was and nothing was left beside it.
  void ExpectUntouched() {
    EXPECT_EQ(ReadFile(KeysetFile("Default")), old);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"Default.qrb"});
  }

  const std::string old = std::string(1000, 'o');
};

TEST_F(KeysetSaveSafetyTest, AFileThatMayNotBeWrittenStaysAsItWas) {
  fs::permissions(KeysetFile("Default"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  {
    Unprivileged nobody;
    EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  }
  ExpectUntouched();
  // The user is told which keyset, where and why.
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  const std::string told = toolkit.MessageBoxes()[0].text;
  EXPECT_EQ(toolkit.MessageBoxes()[0].title, "Brenlow Electronics");
  EXPECT_TRUE(told.starts_with("Disk Error, Can Not Save Keyset Default|")) << told;
  EXPECT_NE(told.find(KeysetFile("Default").string() + ": Permission denied|"), std::string::npos)
      << told;
  EXPECT_TRUE(told.ends_with("{!}")) << told;
}

TEST_F(KeysetSaveSafetyTest, AFailingStreakIsToldOnceAndASaveThatWorksEndsIt) {
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  {
    Unprivileged nobody;
    for (int edit = 0; edit < 3; ++edit) EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  }
  EXPECT_EQ(toolkit.MessageBoxes().size(), 1u);
  ExpectUntouched();

  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  ASSERT_EQ(files.SaveKeyset(0), SaveResult::Saved);
  EXPECT_EQ(ReadFile(KeysetFile("Default")).substr(0, kKeysetFileBytes), Image(0));
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  {
    Unprivileged nobody;
    EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  }
  EXPECT_EQ(toolkit.MessageBoxes().size(), 2u) << "a new streak is told again";
}

// A link that someone else could have placed is never written through; the
// file it leads to stays as it was and so does the link.
TEST_F(KeysetSaveSafetyTest, ALinkOthersCouldPlaceIsNeverWrittenThrough) {
  WriteFile(root / "victim", "victim");
  fs::remove(KeysetFile("Default"));
  fs::create_symlink(root / "victim", KeysetFile("Default"));
  // A folder writable by everyone is refused before any link in it is looked at.
  fs::permissions(folder, fs::perms::all);
  EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  EXPECT_EQ(ReadFile(root / "victim"), "victim");
  EXPECT_TRUE(fs::is_symlink(KeysetFile("Default")));
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_NE(toolkit.MessageBoxes()[0].text.find("Other users can change"), std::string::npos);

  // The same link in a folder of the user's own that no one else may write
  // is theirs: the save goes where it leads, when that folder is private too.
  fs::permissions(folder, fs::perms::owner_all);
  fs::permissions(root, fs::perms::owner_all);
  ASSERT_EQ(files.SaveKeyset(0), SaveResult::Saved);
  EXPECT_EQ(ReadFile(root / "victim"), Image(0));
  EXPECT_TRUE(fs::is_symlink(KeysetFile("Default")));

  // Leading into a folder others may write, it is refused again.
  fs::permissions(root, fs::perms::all);
  WriteFile(root / "victim", "victim");
  EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  EXPECT_EQ(ReadFile(root / "victim"), "victim");
}

TEST(FileHeadTest, TheWriteReplacesThePathItselfAndNeverFollowsALink) {
  const TempFolder made("quorbel-head-");
  const fs::path& folder = made.Path();
  ::chmod(folder.c_str(), 0777);  // as a shared folder is
  WriteFile(folder / "victim", "victim");
  fs::create_symlink(folder / "victim", folder / "out.qrb");
  const std::string head(10, 'h');
  EXPECT_EQ(ReplaceFileHead(folder / "out.qrb", head, LinkPolicy::FollowOwnPrivate),
            FileHeadError::LinkNotFollowed);
  EXPECT_EQ(ReplaceFileHead(folder / "out.qrb", head, LinkPolicy::Refuse),
            FileHeadError::LinkNotFollowed);
  EXPECT_EQ(ReadFile(folder / "victim"), "victim");

  // A pipe or a folder in the file's place is no file to replace.
  ASSERT_EQ(::mkfifo((folder / "pipe.qrb").c_str(), 0600), 0);
  EXPECT_EQ(ReplaceFileHead(folder / "pipe.qrb", head, LinkPolicy::Refuse),
            FileHeadError::NotARegularFile);
  fs::create_directory(folder / "dir.qrb");
  EXPECT_TRUE(ReplaceFileHead(folder / "dir.qrb", head, LinkPolicy::Refuse));
  EXPECT_FALSE(ReplaceFileHead(folder / "new.qrb", head, LinkPolicy::Refuse));
  EXPECT_EQ(ReadFile(folder / "new.qrb"), head);
  EXPECT_EQ(FolderEntries(folder).size(), 5u) << "no temporary file is left";
}

TEST_F(KeysetSaveSafetyTest, AFolderThatTakesNoFileLeavesTheOldOne) {
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  {
    Unprivileged nobody;
    EXPECT_EQ(files.SaveKeyset(0), SaveResult::Failed);
  }
  ExpectUntouched();
}

TEST_F(KeysetSaveSafetyTest, AWriteThatFailsPartWayLeavesTheOldFile) {
  // A file size limit makes the write stop part way, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  rlimit small = limit;
  small.rlim_cur = 100000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const SaveResult result = files.SaveKeyset(0);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_EQ(result, SaveResult::Failed);
  ExpectUntouched();
}

TEST_F(KeysetSaveSafetyTest, ALeftoverOfACrashedSaveIsNeverTheKeyset) {
  // What a save that died before its rename leaves behind.
  const std::string leftover(230736, '\xEE');
  for (int n = 0; n < 3; ++n) {
    WriteFile(folder / (".save-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp"),
              leftover);
  }
  EXPECT_EQ(files.ListKeysetFiles(), std::vector<std::string>{"Default.qrb"});
  files.LoadKeyset(0);
  EXPECT_EQ(Image(0).substr(0, 1000), old);

  keysets.Lock()->SetKeysetName(0, "Default");  // the load took the file's name field
  keysets.Lock()->SetStep(1, 1, Step{0, 0, 'N', 0, 0});
  ASSERT_EQ(files.SaveKeyset(0), SaveResult::Saved);
  EXPECT_EQ(ReadFile(KeysetFile("Default")), Image(0));
  EXPECT_EQ(FolderEntries(folder).size(), 4u);  // the leftovers are not the save's to remove
}

TEST_F(KeysetSaveSafetyTest, ListingClearsOnlyLeftoversOfProgramsNoLongerRunning) {
  // A process that has ended: its pid is free once it has been waited for.
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ::waitpid(ended, nullptr, 0);
  const std::string dead = ".save-" + std::to_string(ended) + "-0.tmp";
  const std::string running = ".save-1-0.tmp";  // init never ends
  const std::string ours = ".save-" + std::to_string(::getpid()) + "-7.tmp";
  for (const std::string& name : {dead, running, ours, std::string(".save-x-1.tmp"),
                                  std::string(".save-" + std::to_string(ended) + "-0.tmp~")}) {
    WriteFile(folder / name, "partial");
  }

  EXPECT_EQ(files.ListKeysetFiles(), std::vector<std::string>{"Default.qrb"});
  EXPECT_FALSE(fs::exists(folder / dead));
  EXPECT_TRUE(fs::exists(folder / running));
  EXPECT_TRUE(fs::exists(folder / ours));
  EXPECT_TRUE(fs::exists(folder / ".save-x-1.tmp"));
  EXPECT_TRUE(fs::exists(folder / (dead + "~")));
  EXPECT_EQ(ReadFile(KeysetFile("Default")).substr(0, 1000), old);
}

}  // namespace
}  // namespace quorbel

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/FileAccess.h"
#include "tests/unit/app/CommandsFixture.h"

namespace quorbel {
namespace {

using KeysetSelectionTest = CommandsTest;

// An executable program file in a folder of the test's own.
fs::path Program(const fs::path& root, const std::string& name, bool executable) {
  fs::create_directories(root / "programs");
  const fs::path file = root / "programs" / name;
  WriteFile(file,
            "\x7F"
            "ELF");
  if (executable) fs::permissions(file, fs::perms::owner_exec, fs::perm_options::add);
  return file;
}

// Programs are looked for along this PATH of the process from now on.
void SetPath(const std::string& value) {
#ifdef _WIN32
  ::_putenv_s("PATH", value.c_str());
#else
  ::setenv("PATH", value.c_str(), 1);
#endif
}

TEST_F(KeysetSelectionTest, SelectingAKeysetRestoresItsLayerAndTheDeleteItem) {
  SaveKeysets({"Default", "Beta", "Zeta"});
  {
    auto model = keysets.Lock();
    model->SetCurrent(2);
    model->PickLayer(1);
    model->SetCurrent(0);
  }
  toolkit.AddItems("MAIN", 475, "a");
  selection.PreviousControl = 59;
  commands.SelectKeyset(2);
  EXPECT_EQ(toolkit.Text("MAIN", 410), "Zeta");
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 2);
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 1);
  EXPECT_EQ(toolkit.ImageName("MAIN", 521), "$Red1on");
  EXPECT_EQ(toolkit.ImageName("MAIN", 520), "$Red1off");
  EXPECT_TRUE(toolkit.MenuEnabled("MAIN", 1630));
  EXPECT_EQ(selection.PreviousControl, -1);
  EXPECT_TRUE(toolkit.Items("MAIN", 475).empty());

  commands.SelectKeyset(0);
  EXPECT_FALSE(toolkit.MenuEnabled("MAIN", 1630));
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 0);

  commands.SelectKeyset(3);  // not listed
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 0);
}

TEST_F(KeysetSelectionTest, NewKeysetNamesItselfAfterTheProgramInProperCase) {
  keysets.Lock()->PickLayer(1);
  toolkit.QueueFilePath(Program(root, "acme_edit.exe", false).string());
  commands.NewKeyset();
  ASSERT_EQ(Listed(), (std::vector<std::string>{"Default", "Acme_Edit"}));
  EXPECT_EQ(toolkit.Text("MAIN", 410), "Acme_Edit");
  const auto dialog = toolkit.FileDialogs().back();
  EXPECT_EQ(dialog.title, "Select Program For New Keyset");
  EXPECT_EQ(dialog.startFolder, "/usr/bin");
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 0);
  EXPECT_EQ(keysets.Lock()->LayerMemory(1), 0);
  EXPECT_FALSE(fs::exists(folder)) << "a new keyset gets its file with its first edit";

  // Programs here need no extension; the name ends at the first ".".
  toolkit.QueueFilePath(Program(root, "gimp-2.10", true).string());
  commands.NewKeyset();
  EXPECT_EQ(Listed().back(), "Gimp-2");

  // The same program again, a file that is no program, a cancelled dialog.
  toolkit.QueueFilePath(Program(root, "ACME_EDIT.EXE", false).string());
  commands.NewKeyset();
  toolkit.QueueFilePath(Program(root, "notes.txt", false).string());
  commands.NewKeyset();
  commands.NewKeyset();
  EXPECT_EQ(Listed().size(), 3u);
  EXPECT_TRUE(toolkit.MessageBoxes().empty());

  // The first edit saves it under its name.
  commands.SelectKeyset(1);
  toolkit.SetText("MAIN", 435, "F1");
  toolkit.SetText("MAIN", 620, "A");
  editor.AddInsert(0);
  EXPECT_TRUE(fs::exists(KeysetFile("Acme_Edit")));
}

// Where the system installs its programs, as the program is told it, and
// only the files that are programs there.
TEST_F(KeysetSelectionTest, NewKeysetLooksWhereTheSystemKeepsItsPrograms) {
  KeysetCommands onWindows({toolkit, listed, keysets, files, panel, editor, selection, windows,
                            prompt, [this] { LoadKeysetList(); },
                            ProgramChoice{"C:\\Program Files", "Programs|*.exe"}});
  toolkit.QueueFilePath(Program(root, "WINWORD.EXE", false).string());
  onWindows.NewKeyset();
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Default", "Winword"}));
  const auto dialog = toolkit.FileDialogs().back();
  EXPECT_EQ(dialog.startFolder, "C:\\Program Files");
  EXPECT_EQ(dialog.filter, "Programs|*.exe");
  EXPECT_EQ(dialog.letters, "N");
}

TEST_F(KeysetSelectionTest, NewKeysetNamesTheProgramThatRunsNotTheLinkToIt) {
  // /usr/bin/gimp leads to gimp-2.10, which is the name the running program has.
  const fs::path real = Program(root, "gimp-2.10", true);
  fs::create_symlink(real, root / "programs" / "gimp");
  fs::create_symlink(root / "programs" / "gimp", root / "x-gimp");
  toolkit.QueueFilePath((root / "x-gimp").string());
  commands.NewKeyset();
  EXPECT_EQ(Listed().back(), "Gimp-2");

  // A script runs as its interpreter: the user is told which keyset that is.
  const fs::path interpreter = Program(root, "python3.11", true);
  fs::create_symlink(interpreter, root / "programs" / "python3");
  const fs::path script = Program(root, "tool", true);
  WriteFile(script, "#!" + (root / "programs" / "python3").string() + " -u\nprint()\n");
  toolkit.QueueFilePath(script.string());
  commands.NewKeyset();
  EXPECT_EQ(Listed().size(), 2u) << "no keyset for the script";
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text,
            "tool is a script that python3.11 runs: while it runs, the program in front is "
            "python3.11, which uses the keyset Python3.|Choose " +
                interpreter.string() + " to make that keyset.{!}");

  // Through env, the interpreter is found along PATH.
  const char* path = std::getenv("PATH");
  const std::string oldPath = path != nullptr ? path : "";
  SetPath((root / "programs").string());
  WriteFile(script, "#!/usr/bin/env -S FOO=1 python3\n");
  toolkit.QueueFilePath(script.string());
  commands.NewKeyset();
  SetPath(oldPath);
  ASSERT_EQ(toolkit.MessageBoxes().size(), 2u);
  EXPECT_NE(toolkit.MessageBoxes()[1].text.find("keyset Python3."), std::string::npos);
}

TEST_F(KeysetSelectionTest, NewKeysetEmptiesTheSequenceListAsSelectDoes) {
  toolkit.AddItems("MAIN", 475, "a");
  selection.PreviousControl = 4;
  toolkit.QueueFilePath(Program(root, "acme", true).string());
  commands.NewKeyset();
  ASSERT_EQ(Listed().back(), "Acme");
  EXPECT_TRUE(toolkit.Items("MAIN", 475).empty());
  EXPECT_EQ(selection.PreviousControl, -1);
}

TEST_F(KeysetSelectionTest, NewKeysetRefusesANameListedInAnyCaseAndAFullList) {
  toolkit.QueueFilePath(Program(root, "default.exe", false).string());
  commands.NewKeyset();
  EXPECT_EQ(Listed(), std::vector<std::string>{"Default"});

  for (int k = 1; k <= 10; ++k) toolkit.AddItems("MAIN", 410, "K" + std::to_string(k));
  toolkit.QueueFilePath(Program(root, "acme", true).string());
  commands.NewKeyset();
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, "Can not define more keysets");
  EXPECT_EQ(toolkit.MessageBoxes()[0].title, "Brenlow Electronics");
  EXPECT_TRUE(toolkit.FileDialogs().size() == 1u) << "no dialog once the list is full";
  EXPECT_EQ(Listed().size(), 11u);
}

TEST_F(KeysetSelectionTest, DeleteAsksThenRemovesTheFileAndReloadsTheListSorted) {
  SaveKeysets({"Default", "Acme", "Beta"});
  toolkit.QueueFilePath(Program(root, "zed", true).string());
  commands.NewKeyset();  // listed, never saved
  commands.SelectKeyset(1);

  toolkit.QueueAnswer(ui::kAnswerNo);
  commands.DeleteCurrentKeyset();
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, "Delete " + (folder / "Acme.qrb").string() + "{?}");
  EXPECT_EQ(toolkit.MessageBoxes()[0].title, "Delete keyset?");
  EXPECT_EQ(toolkit.MessageBoxes()[0].buttons, ui::Buttons::YesNo);
  EXPECT_TRUE(fs::exists(KeysetFile("Acme")));

  toolkit.QueueAnswer(ui::kAnswerYes);
  commands.DeleteCurrentKeyset();
  EXPECT_FALSE(fs::exists(KeysetFile("Acme")));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Default", "Beta"}));
  EXPECT_EQ(toolkit.Text("MAIN", 410), "Default");
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 0);
  EXPECT_EQ(keysets.Lock()->GetStep(0, 1).KeyCode, 'A');
  EXPECT_TRUE(fs::exists(KeysetFile("Beta")));
}

TEST_F(KeysetSelectionTest, ACaseOnlyTwinOfAListedKeysetMakesNoSecondKeysetOnItsFile) {
  if (!SystemSameFileName("\u00c9mile.qrb", "\u00e9mile.qrb")) {
    GTEST_SKIP() << "this system keeps the two names apart";
  }
  SaveKeysets({"Default", "\u00c9mile"});
  const std::u8string program =
      Program(root, "emile.exe", true).parent_path().u8string() + u8"/\u00e9mile.exe";
  fs::copy_file(root / "programs" / "emile.exe", fs::path(program));
  toolkit.QueueFilePath(std::string(program.begin(), program.end()));
  commands.NewKeyset();
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Default", "\u00c9mile"}));
}

TEST_F(KeysetSelectionTest, DeleteRefusesDefaultAndIgnoresAKeysetWithoutFile) {
  SaveKeysets({"Default", "acme"});
  commands.DeleteCurrentKeyset();
  toolkit.QueueFilePath(Program(root, "zed", true).string());
  commands.NewKeyset();
  commands.DeleteCurrentKeyset();
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_EQ(toolkit.MessageBoxes()[0].text, "Can not Delete 'Default' Keyset");

  // A keyset saved under a small letter is found though compared in proper case.
  commands.SelectKeyset(1);
  toolkit.QueueAnswer(ui::kAnswerYes);
  commands.DeleteCurrentKeyset();
  EXPECT_FALSE(fs::exists(KeysetFile("acme")));
  EXPECT_TRUE(fs::exists(KeysetFile("Default")));
}

}  // namespace
}  // namespace quorbel

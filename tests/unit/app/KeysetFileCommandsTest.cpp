#include <gtest/gtest.h>

#include "tests/unit/app/CommandsFixture.h"

namespace quorbel {
namespace {

using KeysetFileCommandsTest = CommandsTest;

// A keyset file whose name field says "Foreign" and whose control (5 unless
// told) has one step.
std::string ForeignKeyset(char key, int control = 5) {
  KeysetModel source;
  auto model = source.Lock();
  model->SetKeysetName(0, "Foreign");
  model->SetStep(control, 1, Step{0, 0, key, 0, 0});
  std::string image;
  for (int layer = 0; layer < kLayerSlots; ++layer) {
    image.append(reinterpret_cast<const char*>(&model->Record(0, layer)), kKeysetLayerBytes);
  }
  return image;
}

class ImportExportTest : public KeysetFileCommandsTest {
 protected:
  ImportExportTest() : elsewhere(root / "elsewhere") {
    fs::create_directories(elsewhere);
    SaveKeysets({"Default", "Acme"});
  }
  void Import(const fs::path& file) {
    toolkit.QueueFilePath(file.string());
    commands.ImportKeyset();
  }
  void Export(const fs::path& file) {
    toolkit.QueueFilePath(file.string());
    commands.ExportKeyset();
  }
  fs::path elsewhere;
};

TEST_F(ImportExportTest, ImportAddsAKeysetNamedAfterTheFileAndSavesIt) {
  WriteFile(elsewhere / "Zed.Old.qrb", ForeignKeyset('Z'));
  keysets.Lock()->PickLayer(1);
  Import(elsewhere / "Zed.Old.qrb");
  EXPECT_EQ(toolkit.FileDialogs().back().title, "Select Keyset");
  EXPECT_EQ(toolkit.FileDialogs().back().startFolder, root.string());
  ASSERT_EQ(Listed(), (std::vector<std::string>{"Default", "Acme", "Zed"}));
  EXPECT_EQ(toolkit.Text("MAIN", 410), "Zed");
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 2);
  EXPECT_EQ(keysets.Lock()->CurrentLayer(), 0);
  EXPECT_EQ(keysets.Lock()->KeysetName(2), "Zed");
  EXPECT_EQ(keysets.Lock()->GetStep(5, 1).KeyCode, 'Z');
  EXPECT_EQ(ReadFile(KeysetFile("Zed")), Image(2));
  EXPECT_TRUE(questions.empty());

  // Files that are no keyset files and cancelled dialogs change nothing.
  WriteFile(elsewhere / "notes.txt", "hello");
  Import(elsewhere / "notes.txt");
  Import(elsewhere / ".qrb");
  commands.ImportKeyset();
  EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(ImportExportTest, ImportOfAListedNameAsksBeforeReplacingIt) {
  const std::string before = Image(1);
  WriteFile(elsewhere / "acme.qrb", ForeignKeyset('Q'));
  promptAnswers = {ui::kAnswerNo};
  Import(elsewhere / "acme.qrb");
  EXPECT_EQ(questions, std::vector<std::string>{"Replace Acme"});
  EXPECT_EQ(Image(1), before);
  EXPECT_EQ(ReadFile(KeysetFile("Acme")), before);

  promptAnswers = {ui::kAnswerYes};
  Import(elsewhere / "acme.qrb");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Default", "Acme"}));
  EXPECT_EQ(keysets.Lock()->CurrentKeyset(), 1);
  EXPECT_EQ(keysets.Lock()->GetStep(5, 1).KeyCode, 'Q');
  EXPECT_EQ(keysets.Lock()->KeysetName(1), "Acme") << "replaced under the name it is listed by";
  EXPECT_EQ(ReadFile(KeysetFile("Acme")), Image(1));
  EXPECT_FALSE(fs::exists(KeysetFile("acme")));
}

TEST_F(ImportExportTest, ImportEndsTheSelectionSoNothingChangesTheImportedKeysetUnseen) {
  commands.SelectKeyset(1);
  toolkit.SetText("MAIN", 435, "Clear/Cancel");
  toolkit.SetText("MAIN", 620, "X");
  editor.AddInsert(54);
  selection.PreviousControl = 54;
  ASSERT_EQ(toolkit.Items("MAIN", 475), std::vector<std::string>{"x"});

  WriteFile(elsewhere / "Zed.qrb", ForeignKeyset('Z', 54));
  Import(elsewhere / "Zed.qrb");
  EXPECT_TRUE(toolkit.Items("MAIN", 475).empty());
  EXPECT_EQ(selection.PreviousControl, -1) << "selecting the control again shows its new sequence";

  EXPECT_EQ(toolkit.Text("MAIN", 435), "") << "a keyset change ends the selection";

  // Neither the row that showed Acme's step nor the key entry still filled
  // in for Acme changes the imported keyset.
  editor.DeleteStep(54);
  editor.AddInsert(54);
  EXPECT_EQ(keysets.Lock()->GetStep(54, 1).KeyCode, 'Z');
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(54), 2);
  EXPECT_EQ(ReadFile(KeysetFile("Zed")), Image(2));
}

TEST_F(ImportExportTest, ImportOfANewNameNeedsAFreeSlot) {
  for (int k = 2; k <= 10; ++k) toolkit.AddItems("MAIN", 410, "K" + std::to_string(k));
  WriteFile(elsewhere / "Zed.qrb", ForeignKeyset('Z'));
  Import(elsewhere / "Zed.qrb");
  EXPECT_EQ(Listed().size(), 11u);
  EXPECT_FALSE(fs::exists(KeysetFile("Zed")));
}

TEST_F(ImportExportTest, ExportWritesTheKeysetFileUnderTheChosenNameWithItsExtension) {
  commands.SelectKeyset(1);
  Export(elsewhere / "backup.txt");
  const auto dialog = toolkit.FileDialogs().back();
  EXPECT_EQ(dialog.kind, ui::FileDialogKind::Save);
  EXPECT_EQ(dialog.title, "Export Keyset");
  EXPECT_EQ(dialog.proposedName, "Acme.qrb");
  EXPECT_EQ(dialog.startFolder, root.string());
  EXPECT_EQ(ReadFile(elsewhere / "backup.qrb"), Image(1));
  EXPECT_FALSE(fs::exists(elsewhere / "backup.txt"));

  fs::create_directories(elsewhere / "my.dir");
  Export(elsewhere / "my.dir" / "plain");
  EXPECT_EQ(ReadFile(elsewhere / "my.dir" / "plain.qrb"), Image(1));
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(FolderEntries(folder).size(), 2u) << "the keysets folder is not touched";
}

TEST_F(ImportExportTest, ExportWritesTheKeysetListedWhenItBegan) {
  commands.SelectKeyset(1);
  // A press on the surface with another program in front switches keysets
  // while the dialog is open, and again while the question is.
  toolkit.SetDialogHook([this] {
    toolkit.SelectItem("MAIN", 410, 0);
    keysets.Lock()->SetCurrent(0);
  });
  Export(elsewhere / "one.qrb");
  EXPECT_EQ(ReadFile(elsewhere / "one.qrb"), Image(1));

  commands.SelectKeyset(1);
  toolkit.SetDialogHook({});
  promptAnswers = {ui::kAnswerYes};
  toolkit.SetDoEventsHook([this] {
    toolkit.SelectItem("MAIN", 410, 0);
    keysets.Lock()->SetCurrent(0);
    AnswerPrompt();
  });
  Export(elsewhere / "one.qrb");
  EXPECT_EQ(questions, std::vector<std::string>{"Replace one.qrb"});
  EXPECT_EQ(ReadFile(elsewhere / "one.qrb"), Image(1));
  ASSERT_NE(Image(0), Image(1));
}

TEST_F(ImportExportTest, ExportAsksBeforeReplacingTheFileItWrites) {
  commands.SelectKeyset(1);
  WriteFile(elsewhere / "old.qrb", "old");
  promptAnswers = {ui::kAnswerNo};
  Export(elsewhere / "old.anything");
  EXPECT_EQ(questions, std::vector<std::string>{"Replace old.qrb"});
  EXPECT_EQ(ReadFile(elsewhere / "old.qrb"), "old");

  promptAnswers = {ui::kAnswerYes};
  Export(elsewhere / "old.qrb");
  EXPECT_EQ(ReadFile(elsewhere / "old.qrb"), Image(1));

  // A link in the chosen folder would carry the export elsewhere.
  WriteFile(root / "outside.qrb", "outside");
  fs::create_symlink(root / "outside.qrb", elsewhere / "link.qrb");
  promptAnswers = {ui::kAnswerYes};
  Export(elsewhere / "link.qrb");
  EXPECT_EQ(ReadFile(root / "outside.qrb"), "outside");
  ASSERT_FALSE(toolkit.MessageBoxes().empty());
  EXPECT_TRUE(toolkit.MessageBoxes().back().text.starts_with("Can Not Export Keyset Acme|" +
                                                             (elsewhere / "link.qrb").string() +
                                                             ": it is a symbolic link"));
}

}  // namespace
}  // namespace quorbel

// The rows of the main window's dispatcher for menus, accelerators, buttons,
// lists and the form itself, and the gate that keeps commands to the times
// the main window is in front.
#include <gmock/gmock.h>

#include <fstream>

#include "app/UserGuide.h"
#include "tests/support/TempFolder.h"
#include "tests/unit/app/MainEventsFixture.h"

namespace quorbel {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

struct Row {
  int id;
  int code;
  int value;
  std::vector<std::string> calls;
};

TEST_F(MainEventsTest, EveryCommandRowStartsItsOperation) {
  state.selection.SelectedControl = 42;
  const std::vector<Row> rows = {
      {1530, ui::kClick, 0, {"Shutdown"}},
      {1605, ui::kClick, 0, {"CutLayer"}},
      {1610, ui::kClick, 0, {"CopyLayer"}},
      {1615, ui::kClick, 0, {"PasteLayer"}},
      {1630, ui::kClick, 0, {"DeleteCurrentKeyset"}},
      {1641, ui::kClick, 0, {"PutPortMenuMarks", "ChoosePort 1"}},
      {1672, ui::kClick, 0, {"PutPortMenuMarks", "ChoosePort 32"}},
      {1673, ui::kClick, 0, {"PutPortMenuMarks", "ChooseBaudRate 1673"}},
      {1677, ui::kClick, 0, {"PutPortMenuMarks", "ChooseBaudRate 1677"}},
      {1705, ui::kClick, 0, {"SelectKeyset 0"}},
      {1715, ui::kClick, 0, {"SelectKeyset 10"}},
      {1705, ui::kGotFocus, 0, {}},
      {1910, ui::kClick, 0, {"OpenKeysetDisplay"}},
      {480, ui::kClick, 0, {"AddInsert 42 -1 -1"}},
      {485, ui::kClick, 0, {"InsertDelay 42"}},
      {500, ui::kClick, 0, {"DeleteStep 42"}},
      {410, ui::kChanged, 3, {"SelectKeyset 3"}},
      {410, ui::kClick, 3, {}},
      {625, ui::kClick, 0, {"ClearInputs"}},
      {475, ui::kChanged, 4, {"RefreshList 42 4"}},
      {1500, ui::kClick, 0, {}},
      {605, ui::kClick, 0, {}},
      {1054, ui::kClick, 0, {"ShowControl 54", "ShowControlSelected 1054"}},
      {660, ui::kClick, 0, {}},
      {670, ui::kChanged, 0, {}},
      {440, ui::kClick, 0, {}},
      {0, ui::kFormClosed, 0, {"Shutdown"}},
      {ui::kStatusTimer, ui::kClick, 0, {"ProbeSurface"}},
      {0, ui::kGotFocus, 0, {"ProbeSurface"}},
      {9999, ui::kClick, 0, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.id) + "/" + std::to_string(row.code));
    EXPECT_EQ(Send(row.id, row.code, row.value), row.calls);
  }
}

TEST_F(MainEventsTest, KeysetMenuEntryCarriesItsSlotAsValueAndClearsTheShownControl) {
  Send(1004);
  const ui::Event event = kit.Send("main", 1708, ui::kClick, 0);
  EXPECT_EQ(event.value, 3);
  EXPECT_EQ(state.selection.PreviousControl, -1);
}

TEST_F(MainEventsTest, FileCommandsRunWithDialogActive) {
  std::vector<int> seen;
  ops.onCall = [&](const std::string&) { seen.push_back(state.windows.DialogActive); };
  Send(1004);
  seen.clear();
  EXPECT_THAT(Send(1505), ElementsAre("NewKeyset"));
  EXPECT_EQ(state.selection.PreviousControl, -1);
  EXPECT_THAT(Send(1510), ElementsAre("ImportKeyset"));
  EXPECT_THAT(Send(1515), ElementsAre("ExportKeyset"));
  EXPECT_THAT(seen, ElementsAre(1, 1, 1));
  EXPECT_EQ(state.windows.DialogActive, 0);
}

TEST_F(MainEventsTest, CommandsActOnlyWithTheMainWindowInFront) {
  OtherWindowInFront();
  for (int id : {1630, 1505, 1530, 1641, 1705, 28, 480, 2010}) {
    EXPECT_THAT(Send(id), IsEmpty()) << id;
  }
  EXPECT_THAT(kit.MessageBoxes(), IsEmpty());
  // The form's own rows and the timer come before the gate.
  EXPECT_THAT(Send(ui::kStatusTimer), ElementsAre("ProbeSurface"));
  EXPECT_THAT(Send(0, ui::kFormClosed), ElementsAre("Shutdown"));
}

TEST_F(MainEventsTest, LosingTheFocusMinimisesUnlessADialogIsUp) {
  state.windows.DialogActive = 1;
  Send(0, ui::kLostFocus);
  EXPECT_FALSE(kit.Minimised("main"));
  state.windows.DialogActive = 0;
  Send(0, ui::kLostFocus);
  EXPECT_TRUE(kit.Minimised("main"));
}

TEST_F(MainEventsTest, AboutBoxKeepsTheWindowFromMinimising) {
  kit.SetDialogHook([&] { kit.Send("main", 0, ui::kLostFocus); });
  Send(ui::kAboutItem);
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  EXPECT_EQ(kit.MessageBoxes()[0].text, "Quorbel Beta version 0.9");
  EXPECT_EQ(kit.MessageBoxes()[0].title, "Brenlow Electronics");
  EXPECT_FALSE(kit.Minimised("main"));
  EXPECT_EQ(state.windows.DialogActive, 0);
}

TEST_F(MainEventsTest, HelpOpensTheHelpFileElseTheUserGuideElseSaysThatNoneIsThere) {
  const TempFolder help("quorbel-help-");
  folder = help.Path();
  Send(ui::kHelpItem);
  EXPECT_THAT(kit.HelpRequests(), IsEmpty());
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  EXPECT_THAT(kit.MessageBoxes()[0].text, HasSubstr("guide"));
  EXPECT_EQ(state.windows.DialogActive, 0);

  std::ofstream(guide) << "<html></html>";
  Send(ui::kHelpItem);
  ASSERT_EQ(kit.HelpRequests().size(), 1u);
  EXPECT_EQ(kit.HelpRequests()[0].helpFile, guide.string());

  // A help file of the work folder comes before the guide.
  std::ofstream(folder / "quorbel.hlp") << "help";
  Send(ui::kHelpItem);
  ASSERT_EQ(kit.HelpRequests().size(), 2u);
  EXPECT_EQ(kit.HelpRequests()[1].helpFile, (folder / "quorbel.hlp").string());
  EXPECT_EQ(kit.MessageBoxes().size(), 1u);

  // Without a program that opens it, the user is told where the help is.
  kit.SetHelpViewer(false);
  Send(ui::kHelpItem);
  ASSERT_EQ(kit.MessageBoxes().size(), 2u);
  EXPECT_THAT(kit.MessageBoxes()[1].text, HasSubstr((folder / "quorbel.hlp").string()));
  EXPECT_EQ(state.windows.DialogActive, 0);
  std::filesystem::remove(guide);
}

TEST(UserGuide, IsFoundInTheSharedDocumentsBesideTheProgramsFolder) {
  const TempFolder made("quorbel-prefix-");
  const std::filesystem::path& prefix = made.Path();
  std::filesystem::create_directories(prefix / "share" / "doc" / "quorbelu");
  EXPECT_EQ(FindUserGuide(prefix / "bin" / "quorbelu"), std::filesystem::path());
  std::ofstream(prefix / "share" / "doc" / "quorbelu" / "guide.html") << "<html></html>";
  EXPECT_EQ(FindUserGuide(prefix / "bin" / "quorbelu"),
            prefix / "share" / "doc" / "quorbelu" / "guide.html");
}

// The Windows installation and zip: quorbelu.exe with doc\guide.html beside
// it. A doc folder without the guide, or a guide file that is a folder, is
// no guide; the installed share/doc place comes first where both are.
TEST(UserGuide, IsFoundInTheDocFolderInsideTheProgramsOwnFolder) {
  const TempFolder made("quorbel-folder-");
  const std::filesystem::path program = made.Path() / "QuorbelU" / "quorbelu.exe";
  const std::filesystem::path doc = program.parent_path() / "doc";
  std::filesystem::create_directories(doc / "guide.html");
  EXPECT_EQ(FindUserGuide(program), std::filesystem::path());
  std::filesystem::remove(doc / "guide.html");
  std::ofstream(doc / "guide.html") << "<html></html>";
  EXPECT_EQ(FindUserGuide(program), doc / "guide.html");

  const std::filesystem::path shared = made.Path() / "share" / "doc" / "quorbelu";
  std::filesystem::create_directories(shared);
  std::ofstream(shared / "guide.html") << "<html></html>";
  EXPECT_EQ(FindUserGuide(program), shared / "guide.html");
}

TEST_F(MainEventsTest, CtrlF12ShowsAndHidesTheWindowList) {
  Send(ui::kWindowListAccelerator);
  EXPECT_TRUE(kit.Visible("main", ui::kWindowListView));
  EXPECT_EQ(state.WindowListVisible, 1);
  Send(ui::kWindowListAccelerator);
  EXPECT_FALSE(kit.Visible("main", ui::kWindowListView));
}

TEST_F(MainEventsTest, SliderDelayAndModifierRows) {
  kit.SetPosition("main", ui::kSpeedRangeSlider, 9);
  EXPECT_EQ(state.selection.SpeedRange, 9);
  kit.SetPosition("main", ui::kDelayUpDown, 7);
  EXPECT_EQ(kit.Text("main", ui::kDelayValue), " 7");
  kit.Click("main", 640);
  EXPECT_EQ(kit.Focus("main"), ui::kKeyPressBox);
}

TEST_F(MainEventsTest, MouseEmulationShowsTheCaptureOptionAndCaptureLocksAddInsert) {
  kit.Pick("main", ui::kMouseEmulation, 1);
  EXPECT_TRUE(kit.Visible("main", ui::kCaptureCoordinate));
  EXPECT_TRUE(kit.Visible("main", ui::kCapturePrompt));
  kit.Click("main", ui::kCaptureCoordinate);
  EXPECT_FALSE(kit.Enabled("main", ui::kAddInsertButton));
  kit.Click("main", ui::kCaptureCoordinate);
  EXPECT_TRUE(kit.Enabled("main", ui::kAddInsertButton));
  kit.Click("main", ui::kCaptureCoordinate);
  kit.Pick("main", ui::kMouseEmulation, 2);
  EXPECT_FALSE(kit.Checked("main", ui::kCaptureCoordinate));
  EXPECT_TRUE(kit.Enabled("main", ui::kAddInsertButton));
  kit.Pick("main", ui::kMouseEmulation, 0);
  EXPECT_FALSE(kit.Visible("main", ui::kCaptureCoordinate));
  EXPECT_FALSE(kit.Visible("main", ui::kCapturePrompt));

  // Capture ticked, then "None": a key step can be added again.
  kit.Pick("main", ui::kMouseEmulation, 1);
  kit.Click("main", ui::kCaptureCoordinate);
  ASSERT_FALSE(kit.Enabled("main", ui::kAddInsertButton));
  kit.Pick("main", ui::kMouseEmulation, 0);
  EXPECT_TRUE(kit.Enabled("main", ui::kAddInsertButton));
}

}  // namespace
}  // namespace quorbel

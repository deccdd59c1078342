#include "editor/SequenceEditor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/EditorWindow.h"
#include "tests/support/KeysetFolder.h"
#include "ui/KeysetListView.h"

namespace quorbel {
namespace {

constexpr int kPlay = 59;

class SequenceEditorTest : public KeysetFolderTest {
 protected:
  SequenceEditorTest() : editor(toolkit, keysets, files, catalogue, windows, listed) {
    AddEditorControls(toolkit);
    toolkit.SetText("MAIN", 435, "Play");
  }

  // Types a key into "Key Press:" and presses Add/Insert.
  void Add(const std::string& key, int control = kPlay) {
    toolkit.SetText("MAIN", 620, key);
    editor.AddInsert(control);
  }
  void SelectRow(int row) { toolkit.SelectItem("MAIN", 475, row); }
  std::vector<std::string> Rows() const { return toolkit.Items("MAIN", 475); }
  int SelectedRow() const { return toolkit.Selected("MAIN", 475); }
  Step StepAt(int s, int control = kPlay) { return keysets.Lock()->GetStep(control, s); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : toolkit.MessageBoxes()) texts.push_back(box.text);
    return texts;
  }

  ControlCatalogue catalogue;
  ui::KeysetListView listed{toolkit};
  SequenceEditor editor;
};

TEST_F(SequenceEditorTest, StepsGoAfterTheSelectedRowOrFirstWhenNoneIsSelected) {
  Add("A");
  Add("B");
  Add("C");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SelectedRow(), 2);

  SelectRow(0);
  Add("D");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "d", "b", "c"}));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(StepAt(4).KeyCode, 'C');

  SelectRow(-1);
  Add("E");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"e", "a", "d", "b", "c"}));
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(kPlay), 6);
}

TEST_F(SequenceEditorTest, KeyPressTextsBecomeKeyCodesWithTheTickedModifiers) {
  toolkit.SetCheck("MAIN", 635, true);
  toolkit.SetCheck("MAIN", 640, true);
  Add("A");
  EXPECT_EQ(StepAt(1).KeyCode, 'A');
  EXPECT_EQ(StepAt(1).Modifiers, kCtrl | kShift);
  EXPECT_EQ(Rows().back(), "ctrl+shft+a");

  editor.ClearInputs();
  EXPECT_FALSE(toolkit.Checked("MAIN", 635));
  Add("[");
  Add("`");
  Add("Minus");
  Add("F12");
  EXPECT_EQ(StepAt(2).KeyCode, '[');
  EXPECT_EQ(StepAt(3).KeyCode, 192);
  EXPECT_EQ(StepAt(4).KeyCode, 109 + kNamedKey);
  EXPECT_EQ(StepAt(5).KeyCode, 123 + kNamedKey);
  EXPECT_EQ(StepAt(5).Modifiers, 0);
  EXPECT_EQ(StepAt(5).MouseX, 0);
}

TEST_F(SequenceEditorTest, TheBarKeyIsOneRowAndACapturedKeyLeavesTheCaretAfterItsFirstCharacter) {
  toolkit.SetCheck("MAIN", 635, true);
  Add("|");
  Add("a");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"ctrl+|", "ctrl+a"}));
  EXPECT_EQ(StepAt(1).KeyCode, '|');

  editor.ShowCapturedKey(112, true);
  EXPECT_EQ(toolkit.Text("MAIN", 620), "F1");
  EXPECT_EQ(toolkit.Focus("MAIN"), 620);
  EXPECT_EQ(toolkit.Control("MAIN", 620)->caret, 1);
}

TEST_F(SequenceEditorTest, MouseStepsTakeThePointAndNoModifiers) {
  toolkit.SetCheck("MAIN", 630, true);
  toolkit.SelectItem("MAIN", 650, 1);
  editor.AddInsert(kPlay);
  const Step left = StepAt(1);
  EXPECT_EQ(left.KeyCode, kLeftClick);
  EXPECT_EQ(left.Modifiers, 0);
  EXPECT_EQ(left.MouseX, -1);
  EXPECT_EQ(left.MouseY, -1);
  EXPECT_EQ(Rows(), std::vector<std::string>{"Left Mouse"});

  // Capture mode: the step at the captured point, then back to "None".
  toolkit.SelectItem("MAIN", 650, 4);
  toolkit.Show("MAIN", 655, 660);
  toolkit.SetCheck("MAIN", 655, true);
  toolkit.Disable("MAIN", 480, 480);
  editor.AddCapturedStep(kPlay, Point{120, 45});
  const Step wheel = StepAt(2);
  EXPECT_EQ(wheel.KeyCode, kAltWheelSelector);
  EXPECT_EQ(wheel.MouseX, 120);
  EXPECT_EQ(wheel.MouseY, 45);
  EXPECT_EQ(toolkit.Text("MAIN", 660), "Mouse x,y = 120   45");
  EXPECT_FALSE(toolkit.Checked("MAIN", 655));
  EXPECT_FALSE(toolkit.Visible("MAIN", 655));
  EXPECT_FALSE(toolkit.Visible("MAIN", 660));
  EXPECT_TRUE(toolkit.Enabled("MAIN", 480));
  EXPECT_EQ(toolkit.Text("MAIN", 650), "None");
}

TEST_F(SequenceEditorTest, LabelsComeFromTheNameBoxOrTheControlName) {
  Add("A");
  EXPECT_EQ(keysets.Lock()->Label(kPlay, 1), "Play" + std::string(16, ' '));
  EXPECT_EQ(toolkit.Text("MAIN", 610), "Play" + std::string(16, ' '));

  toolkit.SetText("MAIN", 610, "Save the whole project now");
  Add("S");
  EXPECT_EQ(keysets.Lock()->Label(kPlay, 2), "Save the whole proje");
  EXPECT_EQ(toolkit.Text("MAIN", 610), "Play" + std::string(16, ' '))
      << "the Name box shows the label of step 1";
}

TEST_F(SequenceEditorTest, DelayRowsBelongToTheStepAboveThem) {
  Add("A");
  Add("B");
  Add("C");
  toolkit.SetText("MAIN", 495, " 5");
  SelectRow(1);
  editor.InsertDelay(kPlay);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "    Delay 5 ticks", "c"}));
  EXPECT_EQ(SelectedRow(), 2);
  EXPECT_EQ(toolkit.Focus("MAIN"), 475);

  // On the delay row, Insert Delay replaces the delay of its step.
  toolkit.SetText("MAIN", 495, " 7");
  editor.InsertDelay(kPlay);
  EXPECT_EQ(StepAt(2).Delay, 7);
  EXPECT_EQ(Rows()[2], "    Delay 7 ticks");

  // A step inserted after it starts without a delay; the delay stays with B.
  SelectRow(2);
  Add("X");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "    Delay 7 ticks", "x", "c"}));
  EXPECT_EQ(StepAt(3).Delay, 0);

  // Delete on the delay row removes the step with its delay.
  SelectRow(2);
  editor.DeleteStep(kPlay);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "x", "c"}));
  EXPECT_EQ(SelectedRow(), 2) << "the last step is selected again";
}

TEST_F(SequenceEditorTest, InsertDelayNeedsARowAndAtLeastOneTick) {
  Add("A");
  SelectRow(0);
  toolkit.SetText("MAIN", 495, " 0");
  editor.InsertDelay(kPlay);
  SelectRow(-1);
  toolkit.SetText("MAIN", 495, " 3");
  editor.InsertDelay(kPlay);
  EXPECT_EQ(StepAt(1).Delay, 0);
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

TEST_F(SequenceEditorTest, TenStepsAreTheLimit) {
  for (char key = 'A'; key < 'A' + 10; ++key) Add(std::string(1, key));
  ASSERT_EQ(Rows().size(), 10u);
  Add("K");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Can not add any more keystrokes to sequence{!}"});
  EXPECT_EQ(toolkit.MessageBoxes().front().title, "Brenlow Electronics");
  EXPECT_EQ(Rows().size(), 10u);
  EXPECT_EQ(Rows().back(), "j");

  SelectRow(9);
  editor.DeleteStep(kPlay);
  EXPECT_EQ(Rows().size(), 9u);
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(kPlay), 10);
}

TEST_F(SequenceEditorTest, DeletionMovesEveryFieldAndBlanksTheLastSlot) {
  for (char key = 'A'; key < 'A' + 10; ++key) Add(std::string(1, key));
  {
    auto model = keysets.Lock();
    std::memset(model->Current().SpareText[3], 'c', kSpareTextBytes);
    std::memset(model->Current().SpareText[4], 'd', kSpareTextBytes);
  }
  SelectRow(2);
  editor.DeleteStep(kPlay);
  auto model = keysets.Lock();
  EXPECT_EQ(model->GetStep(kPlay, 3).KeyCode, 'D');
  EXPECT_EQ(model->Current().SpareText[3][0], 'd');
  EXPECT_EQ(model->GetStep(kPlay, 10).KeyCode, 0);
  EXPECT_EQ(model->Label(kPlay, 10), std::string(20, ' '));
  EXPECT_EQ(std::string(model->Current().SpareText[10], kSpareTextBytes), std::string(100, ' '));
}

TEST_F(SequenceEditorTest, RefusalsExplainThemselvesAndChangeNothing) {
  int dialogActive = -1;
  toolkit.SetDialogHook([&] { dialogActive = windows.DialogActive; });
  Add("");
  EXPECT_EQ(dialogActive, 1);
  Add("NoSuchKey");
  toolkit.SetText("MAIN", 435, "");
  Add("A");
  editor.DeleteStep(kPlay);
  toolkit.SetText("MAIN", 435, "Play");
  editor.DeleteStep(kPlay);
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Target Key Not Assigned{!}", "Target Key Not Assigned{!}",
                                      "Key Not Selected{!}", "Key Not Selected{!}",
                                      "Click On Selection to Delete"}));
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(kPlay), 1);
  EXPECT_EQ(windows.DialogActive, 0);
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(SequenceEditorTest, EveryEditSavesTheKeysetUnderTheListedName) {
  toolkit.AddItems("MAIN", 410, "Acme");
  toolkit.SelectItem("MAIN", 410, 1);
  keysets.Lock()->SetCurrent(1);
  Add("A");
  ASSERT_TRUE(fs::exists(KeysetFile("Acme")));
  EXPECT_EQ(ReadFile(KeysetFile("Acme")), Image(1));
  EXPECT_EQ(keysets.Lock()->KeysetName(1), "Acme");

  toolkit.SetText("MAIN", 495, " 4");
  editor.InsertDelay(kPlay);
  EXPECT_EQ(ReadFile(KeysetFile("Acme")), Image(1));
  SelectRow(0);
  editor.DeleteStep(kPlay);
  EXPECT_EQ(ReadFile(KeysetFile("Acme")), Image(1));
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(kPlay), 1);
}

TEST_F(SequenceEditorTest, ShowControlListsTheSequenceWithItsLastStepSelected) {
  Add("A");
  Add("B");
  Add("C", 3);
  toolkit.SetText("MAIN", 620, "Q");
  toolkit.SetCheck("MAIN", 642, true);
  editor.ShowControl(kPlay);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(toolkit.Text("MAIN", 620), "");
  EXPECT_FALSE(toolkit.Checked("MAIN", 642));

  editor.RefreshList(1, 3);
  EXPECT_EQ(Rows(), std::vector<std::string>{"c"});
  editor.ShowControl(200);  // not a control: nothing happens
  EXPECT_EQ(Rows(), std::vector<std::string>{"c"});
}

TEST_F(SequenceEditorTest, CapturedKeysShowTheirNameOrUpperCaseCharacter) {
  editor.ShowCapturedKey('a', false);
  EXPECT_EQ(toolkit.Text("MAIN", 620), "A");
  editor.ShowCapturedKey(109, true);
  EXPECT_EQ(toolkit.Text("MAIN", 620), "Minus");
  editor.ShowCapturedKey(219, true);
  EXPECT_EQ(toolkit.Text("MAIN", 620), "[");
  editor.ShowCapturedKey(65, true);  // a named key without a name keeps the box
  EXPECT_EQ(toolkit.Text("MAIN", 620), "[");
  EXPECT_EQ(toolkit.Focus("MAIN"), 620);
}

TEST_F(SequenceEditorTest, KeysOfOtherLayoutsAreStoredByTheirCodeAndListedAsThemselves) {
  editor.ShowCapturedKey(132, false);  // a typed "ä"
  EXPECT_EQ(toolkit.Text("MAIN", 620), "\u00e4");
  editor.AddInsert(kPlay);
  editor.ShowCapturedKey(142, false);  // a typed "Ä" keeps its case in the box
  EXPECT_EQ(toolkit.Text("MAIN", 620), "\u00c4");
  editor.AddInsert(kPlay);
  Add("\u00a7");
  Add("\u00df");
  EXPECT_EQ(StepAt(1).KeyCode, 132);
  EXPECT_EQ(StepAt(2).KeyCode, 142);
  EXPECT_EQ(StepAt(3).KeyCode, 21);
  EXPECT_EQ(StepAt(4).KeyCode, 225);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"\u00e4", "\u00e4", "\u00a7", "\u00df"}));
}

}  // namespace
}  // namespace quorbel

#include <gtest/gtest.h>

#include "tests/unit/app/CommandsFixture.h"

namespace quorbel {
namespace {

class LayerClipboardTest : public CommandsTest {
 protected:
  LayerClipboardTest() { SaveKeysets({"Default", "Alpha", "Beta"}); }
  std::string Record(int k, int layer) {
    auto model = keysets.Lock();
    return std::string(reinterpret_cast<const char*>(&model->Record(k, layer)), kKeysetLayerBytes);
  }
};

TEST_F(LayerClipboardTest, PasteOfAnEmptyClipboardOrAnEmptyLayerChangesNothing) {
  commands.SelectKeyset(1);
  const std::string saved = ReadFile(KeysetFile("Alpha"));
  const std::string before = Record(1, 0);
  commands.PasteLayer();
  EXPECT_EQ(Record(1, 0), before);

  panel.SetLayerFromLabel(517);  // layer "2", never edited
  commands.CopyLayer();
  panel.SetLayerFromLabel(516);
  commands.PasteLayer();
  EXPECT_EQ(Record(1, 0), before);
  EXPECT_EQ(ReadFile(KeysetFile("Alpha")), saved);
}

TEST_F(LayerClipboardTest, ALayerCopiedFromOneKeysetPastesIntoAnotherLayerOfAnother) {
  commands.SelectKeyset(1);
  commands.CopyLayer();
  const std::string alpha = ReadFile(KeysetFile("Alpha"));
  const std::string copied = Record(1, 0);

  commands.SelectKeyset(2);
  panel.SetLayerFromLabel(517);
  selection.PreviousControl = 7;
  commands.PasteLayer();
  EXPECT_EQ(Record(2, 1), copied);
  EXPECT_EQ(keysets.Lock()->KeysetName(2), "Beta");
  EXPECT_EQ(ReadFile(KeysetFile("Beta")), Image(2));
  EXPECT_EQ(ReadFile(KeysetFile("Alpha")), alpha);
  // The layer is picked again: remembered, panel and list cleared.
  EXPECT_EQ(keysets.Lock()->LayerMemory(2), 1);
  EXPECT_EQ(selection.PreviousControl, -1);
}

TEST_F(LayerClipboardTest, CutEmptiesTheLayerKeepsTheNameAndPasteRestoresIt) {
  commands.SelectKeyset(1);
  const std::string before = Record(1, 0);
  toolkit.AddItems("MAIN", 475, "a");
  promptAnswers = {ui::kAnswerYes};
  commands.CutLayer();
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(0), 1);
  EXPECT_EQ(keysets.Lock()->KeysetName(1), "Alpha");
  EXPECT_EQ(ReadFile(KeysetFile("Alpha")), Image(1));
  EXPECT_TRUE(toolkit.Items("MAIN", 475).empty());

  commands.PasteLayer();
  EXPECT_EQ(Record(1, 0), before);
  EXPECT_EQ(ReadFile(KeysetFile("Alpha")), Image(1));
}

TEST_F(LayerClipboardTest, AStrayCutOrPasteOverStepsAsksFirstAndNoLosesNothing) {
  commands.SelectKeyset(2);
  commands.CopyLayer();  // Beta's layer "1"
  commands.SelectKeyset(1);
  const std::string alpha = Record(1, 0);
  const std::string saved = ReadFile(KeysetFile("Alpha"));

  // Ctrl+X typed in the Name box, then Ctrl+V: both answered No.
  commands.CutLayer();
  commands.PasteLayer();
  EXPECT_EQ(questions,
            (std::vector<std::string>{"Cut layer 1 of Alpha?", "Paste over layer 1 of Alpha?"}));
  EXPECT_EQ(Record(1, 0), alpha);
  EXPECT_EQ(ReadFile(KeysetFile("Alpha")), saved);

  // A layer without steps has nothing to lose: no question. The clipboard
  // still holds Beta's layer: the cut answered No copied nothing.
  questions.clear();
  panel.SetLayerFromLabel(517);
  commands.PasteLayer();
  EXPECT_EQ(Record(1, 1).substr(264), Record(2, 0).substr(264));
  commands.SelectKeyset(2);
  panel.SetLayerFromLabel(517);
  commands.CutLayer();
  EXPECT_TRUE(questions.empty());
}

}  // namespace
}  // namespace quorbel

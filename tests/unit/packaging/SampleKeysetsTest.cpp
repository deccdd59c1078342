#include "packaging/SampleKeysets.h"

#include <string>
#include <vector>

#include "keysets/FixedText.h"
#include "tests/support/KeysetFolder.h"

namespace quorbel {
namespace {

using SampleKeysetsTest = KeysetFolderTest;

TEST_F(SampleKeysetsTest, ProgramLoadsEachAssignmentAsOneKeyStepOfLayerOne) {
  ASSERT_TRUE(sample::WriteSampleKeysets(root));
  const std::vector<std::string> names{"Default", std::string(sample::kSampleProgram)};
  files.LoadKeysets(names);

  auto model = keysets.Lock();
  EXPECT_EQ(model->KeysetName(0), "Default");
  EXPECT_EQ(model->KeysetName(1), sample::kSampleProgram);
  for (const auto& assignment : sample::SampleAssignments()) {
    SCOPED_TRACE(assignment.label);
    model->SetCurrent(1);
    model->SetCurrentLayer(0);
    const Sequence sequence = model->CopySequence(assignment.control);
    ASSERT_EQ(sequence.count, 1);
    EXPECT_EQ(sequence.steps[0].KeyCode, assignment.keyCode);
    EXPECT_EQ(sequence.steps[0].Modifiers, assignment.modifiers);
    EXPECT_EQ(sequence.steps[0].Delay, 0);
    EXPECT_EQ(sequence.steps[0].MouseX, -1);
    EXPECT_EQ(TrimmedFixedText(model->Current().Label[1][assignment.control], kLabelBytes),
              assignment.label);
    // Layer "2" and the Default keyset play nothing.
    model->SetCurrentLayer(1);
    EXPECT_EQ(model->CopySequence(assignment.control).count, 0);
    model->SetCurrent(0);
    EXPECT_EQ(model->CopySequence(assignment.control).count, 0);
  }
}

TEST_F(SampleKeysetsTest, FolderThatCannotHoldKeysetsIsReported) {
  WriteFile(root / "keysets", "a file where the folder belongs");
  EXPECT_FALSE(sample::WriteSampleKeysets(root));
  EXPECT_FALSE(sample::WriteSampleKeysets(root / "keysets" / "below a file"));
}

}  // namespace
}  // namespace quorbel

#include <atomic>
#include <thread>

#include "tests/support/KeysetFolder.h"

namespace quorbel {
namespace {

constexpr int kControl = 7;

// Edit g gives the control (g % 10) + 1 steps, every field of every step g.
// A copy that mixes two edits has steps of two values or the wrong count.
void WriteSequence(KeysetTable& table, int g) {
  const int count = g % kMaxSteps + 1;
  for (int s = 1; s <= count; ++s) table.SetStep(kControl, s, Step{g, g, g, g, g});
  if (count < kMaxSteps) table.SetStep(kControl, count + 1, Step{});
}

bool Consistent(const Sequence& sequence) {
  if (sequence.count == 0) return true;
  const int g = sequence.steps[0].KeyCode;
  if (sequence.count != g % kMaxSteps + 1) return false;
  for (int s = 0; s < sequence.count; ++s) {
    const Step& step = sequence.steps[static_cast<std::size_t>(s)];
    if (step.MouseX != g || step.MouseY != g || step.KeyCode != g || step.Modifiers != g ||
        step.Delay != g) {
      return false;
    }
  }
  return true;
}

using KeysetConcurrencyTest = KeysetFolderTest;

TEST_F(KeysetConcurrencyTest, CopiesSeeWholeEditsWhileTheOtherThreadEditsAndSaves) {
  keysets.Lock()->SetKeysetName(0, "Default");
  constexpr int kEdits = 60;
  std::atomic<bool> done{false};
  std::atomic<int> copies{0};
  std::atomic<int> torn{0};

  std::thread editor([&] {
    for (int g = 1; g <= kEdits; ++g) {
      WriteSequence(*keysets.Lock(), g);
      files.SaveKeyset(0);
    }
    done = true;
  });
  while (!done || copies < 100) {
    if (!Consistent(keysets.CopySequence(kControl))) ++torn;
    ++copies;
  }
  editor.join();
  EXPECT_EQ(torn, 0);

  // The file holds the last edit whole.
  keysets.Lock()->ResetTable();
  keysets.Lock()->SetKeysetName(0, "Default");
  files.LoadKeyset(0);
  const Sequence last = keysets.CopySequence(kControl);
  EXPECT_TRUE(Consistent(last));
  EXPECT_EQ(last.steps[0].KeyCode, kEdits);
}

}  // namespace
}  // namespace quorbel

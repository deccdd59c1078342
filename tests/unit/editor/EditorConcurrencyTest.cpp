#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "editor/SequenceEditor.h"
#include "tests/support/EditorWindow.h"
#include "tests/support/KeysetFolder.h"
#include "ui/KeysetListView.h"

namespace quorbel {
namespace {

using EditorConcurrencyTest = KeysetFolderTest;

// Playback copies sequences on the device thread while the editor inserts
// and deletes steps. Steps are always inserted first with rising keys, so
// every sequence reads strictly falling; a copy taken in the middle of a
// move would show a key twice.
TEST_F(EditorConcurrencyTest, PlaybackNeverSeesASequenceHalfWayThroughAnEdit) {
  ControlCatalogue catalogue;
  ui::KeysetListView listed(toolkit);
  SequenceEditor editor(toolkit, keysets, files, catalogue, windows, listed);
  AddEditorControls(toolkit);
  toolkit.SetText("MAIN", 435, "Play");
  // A name that has no file keeps the edits off the disk.
  toolkit.ClearItems("MAIN", 410);
  toolkit.AddItems("MAIN", 410, "no/file");
  toolkit.SelectItem("MAIN", 410, 0);

  std::atomic<bool> done{false};
  std::atomic<int> torn{0};
  std::atomic<int> copies{0};
  std::thread playback([&] {
    while (!done) {
      const Sequence sequence = keysets.CopySequence(59);
      for (int s = 1; s < sequence.count; ++s) {
        if (sequence.steps[static_cast<std::size_t>(s)].KeyCode >=
            sequence.steps[static_cast<std::size_t>(s - 1)].KeyCode) {
          ++torn;
        }
      }
      ++copies;
    }
  });
  // The edits start once playback is copying, however loaded the machine is.
  while (copies == 0) std::this_thread::yield();
  for (int round = 0; round < 40; ++round) {
    for (char key = 'A'; key < 'A' + 10; ++key) {
      toolkit.SelectItem("MAIN", 475, -1);
      toolkit.SetText("MAIN", 620, std::string(1, key));
      editor.AddInsert(59);
    }
    for (int s = 0; s < 10; ++s) {
      toolkit.SelectItem("MAIN", 475, 0);
      editor.DeleteStep(59);
    }
  }
  done = true;
  playback.join();
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(keysets.Lock()->FirstFreeStep(59), 1);
  // No edit was refused; the saves that cannot be made are told once.
  ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
  EXPECT_TRUE(
      toolkit.MessageBoxes()[0].text.starts_with("Disk Error, Can Not Save Keyset no/file|"));
}

}  // namespace
}  // namespace quorbel

#include <gtest/gtest.h>

#include <string>

#include "keysets/KeysetModel.h"
#include "tests/unit/keysets/allocation/CountingNew.h"

namespace quorbel {
namespace {

// The counter is live: a name too long for a string's own storage is read
// into memory from the heap, and the counter sees it.
TEST(Allocation, TheCounterSeesAnAllocationThroughTheModel) {
  KeysetModel keysets;
  keysets.Lock()->SetKeysetName(0, std::string(200, 'n'));
  const std::size_t before = AllocationCount();
  const std::string name = keysets.Lock()->KeysetName(0);
  const std::size_t after = AllocationCount();
  EXPECT_GT(after, before);
  EXPECT_EQ(name.size(), 200u);
}

// Once the table exists, nothing a step edit, a playback read or a layer
// change does touches the heap.
TEST(Allocation, StepsLayersAndSelectionAllocateNothing) {
  KeysetModel keysets;
  long checksum = 0;
  const std::size_t before = AllocationCount();
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < kKeysetSlots; ++k) {
      {
        auto model = keysets.Lock();
        model->SetCurrent(k);
        model->PickLayer(round % 2);
        for (int c = 0; c < kControlCount; c += 9) {
          for (int s = 1; s <= kMaxSteps; ++s) {
            model->SetStep(c, s, Step{-1, -1, kLeftClick, 0, s});
            model->SetLabel(c, s, "A label longer than its twenty bytes");
            checksum += model->GetStep(c, s).Delay;
          }
          checksum += model->FirstFreeStep(c);
        }
      }
      for (int c = 0; c < kControlCount; c += 9) checksum += keysets.CopySequence(c).count;
    }
    keysets.Lock()->ResetTable();
  }
  const std::size_t after = AllocationCount();
  EXPECT_EQ(after - before, 0u);
  EXPECT_NE(checksum, 0);
}

}  // namespace
}  // namespace quorbel

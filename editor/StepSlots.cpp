#include "editor/StepSlots.h"

#include <cstddef>
#include <cstring>

namespace quorbel {

namespace {

std::size_t Index(int i) { return static_cast<std::size_t>(i); }

void CopySlot(KeysetLayer& r, std::size_t c, std::size_t to, std::size_t from) {
  r.MouseX[to][c] = r.MouseX[from][c];
  r.MouseY[to][c] = r.MouseY[from][c];
  r.KeyCode[to][c] = r.KeyCode[from][c];
  r.Modifiers[to][c] = r.Modifiers[from][c];
  std::memcpy(r.Label[to][c], r.Label[from][c], kLabelBytes);
  r.Delay[to][c] = r.Delay[from][c];
  std::memcpy(r.SpareText[to], r.SpareText[from], kSpareTextBytes);
}

void ClearSlot(KeysetLayer& r, std::size_t c, std::size_t s) {
  r.MouseX[s][c] = 0;
  r.MouseY[s][c] = 0;
  r.KeyCode[s][c] = 0;
  r.Modifiers[s][c] = 0;
  std::memset(r.Label[s][c], ' ', kLabelBytes);
  r.Delay[s][c] = 0;
  std::memset(r.SpareText[s], ' ', kSpareTextBytes);
}

}  // namespace

void OpenStepSlot(KeysetLayer& record, int control, int from, int firstFree) {
  for (int s = firstFree - 1; s >= from; --s)
    CopySlot(record, Index(control), Index(s + 1), Index(s));
}

void RemoveStepSlot(KeysetLayer& record, int control, int step) {
  for (int s = step; s < kMaxSteps; ++s) CopySlot(record, Index(control), Index(s), Index(s + 1));
  ClearSlot(record, Index(control), Index(kMaxSteps));
}

}  // namespace quorbel

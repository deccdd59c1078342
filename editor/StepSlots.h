#pragma once

#include "keysets/KeysetLayer.h"

namespace quorbel {

// Moves steps from..firstFree-1 of a control one slot up, every field with
// them, so that slot `from` can take a new step. `firstFree` is at most 10.
// The record's spare text slots of those step numbers move the same way.
void OpenStepSlot(KeysetLayer& record, int control, int from, int firstFree);

// Removes step `step` of a control: steps step+1..10 move one slot down and
// slot 10 is left empty (zero values, a blank label and blank spare text).
void RemoveStepSlot(KeysetLayer& record, int control, int step);

}  // namespace quorbel

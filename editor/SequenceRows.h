#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keysets/KeysetTable.h"
#include "surface/ControlCatalogue.h"

namespace quorbel {

// The sequence list's rows for one control: one row per step, followed by a
// delay row for each step with a delay.
struct SequenceRows {
  std::vector<std::string> texts;
  int selected = 0;  // the row to select
  int steps = 0;
  std::string firstLabel;  // the label of step 1, as its 20 bytes stand
};

// Rows of the control's sequence in the current record, selecting the row
// of `selectStep` (or its delay row), row 0 when there is no such step.
SequenceRows BuildSequenceRows(const KeysetTable& table, int control, int selectStep,
                               bool selectDelayRow, const ControlCatalogue& catalogue);

// A row that holds a delay: its text contains "delay" and "ticks", in any case.
bool IsDelayRow(std::string_view text);

// The step shown by row `row`: every row that is not a delay row counts one
// step from the top, and a delay row belongs to the step above it.
int StepOfRow(std::span<const std::string> rows, int row);

}  // namespace quorbel

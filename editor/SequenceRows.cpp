#include "editor/SequenceRows.h"

#include <algorithm>
#include <cctype>

#include "editor/ActionText.h"

namespace quorbel {

namespace {

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         }) != text.end();
}

}  // namespace

SequenceRows BuildSequenceRows(const KeysetTable& table, int control, int selectStep,
                               bool selectDelayRow, const ControlCatalogue& catalogue) {
  SequenceRows rows;
  rows.steps = table.FirstFreeStep(control) - 1;
  if (rows.steps >= 1) rows.firstLabel = table.Label(control, 1);
  for (int s = 1; s <= rows.steps; ++s) {
    rows.texts.push_back(ActionText(table.Current(), control, s, catalogue));
    if (s == selectStep) rows.selected = static_cast<int>(rows.texts.size()) - 1;
    const int delay = table.GetStep(control, s).Delay;
    if (delay >= 1) {
      rows.texts.push_back(DelayRow(delay));
      if (s == selectStep && selectDelayRow)
        rows.selected = static_cast<int>(rows.texts.size()) - 1;
    }
  }
  return rows;
}

bool IsDelayRow(std::string_view text) {
  return ContainsIgnoringCase(text, "delay") && ContainsIgnoringCase(text, "ticks");
}

int StepOfRow(std::span<const std::string> rows, int row) {
  int step = 0;
  for (int r = 0; r <= row && r < static_cast<int>(rows.size()); ++r) {
    if (!IsDelayRow(rows[static_cast<std::size_t>(r)])) ++step;
  }
  return step;
}

}  // namespace quorbel

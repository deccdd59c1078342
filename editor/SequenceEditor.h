#pragma once

#include <string>
#include <vector>

#include "common/Types.h"
#include "editor/SequenceRows.h"
#include "keysets/KeysetFiles.h"
#include "keysets/KeysetModel.h"
#include "keysets/ListedKeysets.h"
#include "surface/ControlCatalogue.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowState.h"

namespace quorbel {

// The lower half of the main window: builds the sequence that the current
// keyset layer assigns to a control from the key entry group, shows it as
// one row per step and per delay, and saves the keyset after every change.
// Each change of a sequence runs under the model's lock as a whole; no
// message is shown and no file is written while the lock is held.
class SequenceEditor {
 public:
  SequenceEditor(ui::Toolkit& toolkit, KeysetModel& keysets, KeysetFiles& files,
                 const ControlCatalogue& catalogue, ui::WindowState& windows,
                 ListedKeysets& listed);

  // A key caught in the "Key Press:" box: its name or its character.
  void ShowCapturedKey(int keyCode, bool named);
  // Adds the step of the key entry group after the selected step (at the
  // start when none is selected). A mouse step clicks at (x, y), or where
  // the cursor is when they are -1.
  void AddInsert(int control, int x = -1, int y = -1);
  // Capture mode's answer to a press on the surface: the mouse step at the
  // captured point for the pressed control, then capture mode ends.
  void AddCapturedStep(int control, Point clientPoint);
  // Gives the selected step the delay of the "ticks" field.
  void InsertDelay(int control);
  // Removes the selected step with its delay.
  void DeleteStep(int control);
  void ClearInputs();
  // The control's sequence with the inputs cleared and its last step selected.
  void ShowControl(int control);
  void RefreshList(int selectStep, int control);
  // The step a row of the sequence list belongs to (a delay row: the step
  // above it); 0 for no row.
  int StepOfListRow(int row);

 private:
  std::vector<std::string> ListRows();
  int SelectedRow();
  // Lists the rows; the Name box shows the label of step 1.
  void ShowRows(const SequenceRows& rows);
  // Under the lock: the rows of the control, and the keyset's name taken from
  // the keyset list so that a new keyset is saved under it.
  SequenceRows RowsForList(KeysetTable& table, int control, int selectStep, bool delayRow,
                           const std::string& keysetName);
  void LeaveCaptureMode();
  void Message(const std::string& text);

  ui::Toolkit& toolkit_;
  KeysetModel& keysets_;
  KeysetFiles& files_;
  const ControlCatalogue& catalogue_;
  ui::WindowState& windows_;
  ListedKeysets& listed_;
};

}  // namespace quorbel

#include "editor/SequenceEditor.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/NumberText.h"
#include "editor/EditorControls.h"
#include "editor/KeyEntry.h"
#include "editor/StepSlots.h"
#include "toolkit/FormName.h"
#include "toolkit/Messages.h"

namespace quorbel {

namespace {

using namespace ui;

constexpr const char* kSequenceFull = "Can not add any more keystrokes to sequence{!}";
constexpr const char* kKeyNotSelected = "Key Not Selected{!}";
constexpr const char* kKeyNotAssigned = "Target Key Not Assigned{!}";
constexpr const char* kNothingToDelete = "Click On Selection to Delete";

}  // namespace

SequenceEditor::SequenceEditor(ui::Toolkit& toolkit, KeysetModel& keysets, KeysetFiles& files,
                               const ControlCatalogue& catalogue, ui::WindowState& windows,
                               ListedKeysets& listed)
    : toolkit_(toolkit),
      keysets_(keysets),
      files_(files),
      catalogue_(catalogue),
      windows_(windows),
      listed_(listed) {}

void SequenceEditor::ShowCapturedKey(int keyCode, bool named) {
  if (const std::optional<std::string> text = CapturedKeyText(keyCode, named, catalogue_)) {
    toolkit_.SetText(kMainForm, kKeyPressBox, *text);
  }
  toolkit_.SetFocus(kMainForm, kKeyPressBox);
  toolkit_.SetCaret(kMainForm, kKeyPressBox, 1);
}

void SequenceEditor::AddInsert(int control, int x, int y) {
  if (!IsControlIndex(control)) return;
  const std::string selectedName = toolkit_.Text(kMainForm, kSelectedControlName);
  const std::int32_t mouseCode = MouseCodeOfChoice(toolkit_.Text(kMainForm, kMouseEmulation));
  std::string label = toolkit_.Text(kMainForm, kNameBox);
  if (label.empty()) label = selectedName;
  const std::string keysetName = listed_.SelectedName();
  const int insertAt = StepOfListRow(SelectedRow()) + 1;

  // A new step starts without a delay, even where an inserted step takes the
  // slot of one that had one.
  Step step{x, y, mouseCode, 0, 0};
  if (mouseCode == 0) {
    std::int32_t modifiers = 0;
    if (toolkit_.Checked(kMainForm, kAltBox)) modifiers |= kAlt;
    if (toolkit_.Checked(kMainForm, kCtrlBox)) modifiers |= kCtrl;
    if (toolkit_.Checked(kMainForm, kShiftBox)) modifiers |= kShift;
    if (toolkit_.Checked(kMainForm, kApplicationBox)) modifiers |= kAppKey;
    step = Step{0, 0, KeyCodeOfKeyPress(toolkit_.Text(kMainForm, kKeyPressBox), catalogue_),
                modifiers, 0};
  }

  const char* refusal = nullptr;
  SequenceRows rows;
  int keyset = 0;
  {
    auto model = keysets_.Lock();
    const int firstFree = model->FirstFreeStep(control);
    if (firstFree > kMaxSteps) {
      refusal = kSequenceFull;
    } else if (selectedName.empty()) {
      refusal = kKeyNotSelected;
    } else if (step.KeyCode == 0) {
      // An empty box, or a text that names no key: nothing to add.
      refusal = kKeyNotAssigned;
    } else {
      int slot = firstFree;
      if (insertAt < firstFree) {
        OpenStepSlot(model->Current(), control, insertAt, firstFree);
        slot = insertAt;
      }
      model->SetStep(control, slot, step);
      model->SetLabel(control, slot, label);
      rows = RowsForList(*model, control, slot, false, keysetName);
      keyset = model->CurrentKeyset();
    }
  }
  if (refusal != nullptr) {
    Message(refusal);
    return;
  }

  toolkit_.SetText(kMainForm, kNameBox, label);
  if (mouseCode != 0 && toolkit_.Checked(kMainForm, kCaptureCoordinate)) {
    toolkit_.SetText(kMainForm, kCapturePrompt,
                     "Mouse x,y =" + NumberText(x) + "  " + NumberText(y));
  }
  ShowRows(rows);
  files_.SaveKeyset(keyset);
  toolkit_.SetFocus(kMainForm, kKeyPressBox);
}

void SequenceEditor::AddCapturedStep(int control, Point clientPoint) {
  AddInsert(control, clientPoint.x, clientPoint.y);
  LeaveCaptureMode();
}

void SequenceEditor::InsertDelay(int control) {
  if (!IsControlIndex(control)) return;
  const std::vector<std::string> listRows = ListRows();
  int row = SelectedRow();
  if (listRows.empty() || row < 0 || row >= static_cast<int>(listRows.size())) return;
  toolkit_.SetFocus(kMainForm, kSequenceList);
  if (IsDelayRow(listRows[static_cast<std::size_t>(row)])) {
    --row;
    toolkit_.SelectItem(kMainForm, kSequenceList, row);
  }
  const int step = StepOfRow(listRows, row);
  if (step < 1) return;
  const int ticks = LeadingNumber(toolkit_.Text(kMainForm, kDelayValue));
  if (ticks < 1) return;
  const std::string keysetName = listed_.SelectedName();

  SequenceRows rows;
  int keyset = 0;
  {
    auto model = keysets_.Lock();
    if (step >= model->FirstFreeStep(control)) return;  // the list shows another sequence
    Step changed = model->GetStep(control, step);
    changed.Delay = ticks;
    model->SetStep(control, step, changed);
    rows = RowsForList(*model, control, step, true, keysetName);
    keyset = model->CurrentKeyset();
  }
  ShowRows(rows);
  files_.SaveKeyset(keyset);
}

void SequenceEditor::DeleteStep(int control) {
  if (!IsControlIndex(control)) return;
  if (toolkit_.Text(kMainForm, kSelectedControlName).empty()) {
    Message(kKeyNotSelected);
    return;
  }
  const int row = SelectedRow();
  if (row < 0) {
    Message(kNothingToDelete);
    return;
  }
  const int step = StepOfListRow(row);
  if (step < 1) return;
  const std::string keysetName = listed_.SelectedName();

  SequenceRows rows;
  int keyset = 0;
  {
    auto model = keysets_.Lock();
    RemoveStepSlot(model->Current(), control, step);
    rows = RowsForList(*model, control, model->FirstFreeStep(control) - 1, false, keysetName);
    keyset = model->CurrentKeyset();
  }
  ClearInputs();
  ShowRows(rows);
  files_.SaveKeyset(keyset);
}

void SequenceEditor::ClearInputs() {
  toolkit_.SetText(kMainForm, kKeyPressBox, "");
  toolkit_.SetText(kMainForm, kNameBox, "");
  for (int box : {kAltBox, kCtrlBox, kShiftBox, kApplicationBox}) {
    toolkit_.SetCheck(kMainForm, box, false);
  }
  toolkit_.SetFocus(kMainForm, kKeyPressBox);
}

void SequenceEditor::ShowControl(int control) {
  if (!IsControlIndex(control)) return;
  ClearInputs();
  const std::string keysetName = listed_.SelectedName();
  SequenceRows rows;
  {
    auto model = keysets_.Lock();
    rows = RowsForList(*model, control, model->FirstFreeStep(control) - 1, false, keysetName);
  }
  ShowRows(rows);
}

void SequenceEditor::RefreshList(int selectStep, int control) {
  if (!IsControlIndex(control)) return;
  const std::string keysetName = listed_.SelectedName();
  SequenceRows rows;
  {
    auto model = keysets_.Lock();
    rows = RowsForList(*model, control, selectStep, false, keysetName);
  }
  ShowRows(rows);
}

int SequenceEditor::StepOfListRow(int row) {
  if (row < 0) return 0;
  return StepOfRow(ListRows(), row);
}

std::vector<std::string> SequenceEditor::ListRows() {
  std::vector<std::string> rows;
  const int last = toolkit_.LastItem(kMainForm, kSequenceList);
  for (int row = 0; row <= last; ++row) {
    rows.push_back(toolkit_.ItemText(kMainForm, kSequenceList, row));
  }
  return rows;
}

int SequenceEditor::SelectedRow() { return toolkit_.NextSelected(kMainForm, kSequenceList, -1); }

void SequenceEditor::ShowRows(const SequenceRows& rows) {
  toolkit_.ClearItems(kMainForm, kSequenceList);
  // One item per row as it stands: the row of the "|" key is that character.
  for (const std::string& text : rows.texts) toolkit_.AddItem(kMainForm, kSequenceList, text);
  if (rows.steps >= 1) toolkit_.SetText(kMainForm, kNameBox, rows.firstLabel);
  toolkit_.SelectItem(kMainForm, kSequenceList, rows.selected);
}

SequenceRows SequenceEditor::RowsForList(KeysetTable& table, int control, int selectStep,
                                         bool delayRow, const std::string& keysetName) {
  // The keyset list names the keyset; an empty text would leave it no file.
  if (!keysetName.empty()) table.SetKeysetName(table.CurrentKeyset(), keysetName);
  return BuildSequenceRows(table, control, selectStep, delayRow, catalogue_);
}

void SequenceEditor::LeaveCaptureMode() {
  toolkit_.SetCheck(kMainForm, kCaptureCoordinate, false);
  toolkit_.Enable(kMainForm, kAddInsertButton, kAddInsertButton);
  toolkit_.SelectItem(kMainForm, kMouseEmulation, 0);
  toolkit_.Hide(kMainForm, kCaptureCoordinate, kCapturePrompt);
}

void SequenceEditor::Message(const std::string& text) { ui::ShowMessage(toolkit_, windows_, text); }

}  // namespace quorbel

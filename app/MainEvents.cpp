#include "app/MainEvents.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "app/KeyPress.h"
#include "common/NumberText.h"
#include "common/Utf8Path.h"
#include "ui/MainWindowIds.h"
#include "ui/SerialDeviceChooser.h"

namespace quorbel {

namespace {

using namespace quorbel::ui;

constexpr int kReverseLamp = 1061;
constexpr int kForwardLamp = 1081;
constexpr int kReverseReported = 1074;  // the surface's shuttle turned to a reverse position
constexpr int kForwardReported = 1094;
constexpr int kShiftPicture = 1020;
constexpr int kStopPicture = 1058;
constexpr int kStopControl = 58;
constexpr int kWheelLeft = 1126;
constexpr int kWheelRight = 1127;
constexpr int kLastPanelPicture = 1127;
constexpr int kShuttleLimit = 12;

constexpr int kAltBox = 630;
constexpr int kCtrlBox = 635;
constexpr int kShiftBox = 640;
constexpr int kApplicationBox = 642;
constexpr const char* kHelpFile = "quorbel.hlp";
constexpr const char* kNoHelpText =
    "No help is installed: neither quorbel.hlp in the current folder nor the user "
    "guide beside the program (share/doc/quorbelu/guide.html beside its folder on "
    "Linux, doc\\guide.html inside it on Windows).{!}";

bool Between(int id, int first, int last) { return id >= first && id <= last; }

// The panel's keys that a click shows selected: F, W and M keys, arrows, Bank
// keys, Assign, Page keys, keypad and transport. Shift toggles the layer.
bool IsSelectablePicture(int id) {
  return (Between(id, 1000, 1029) && id != kShiftPicture) || Between(id, 1032, 1060);
}

bool IsShuttlePicture(int id) {
  return id == kReverseLamp || id == kForwardLamp || id == kReverseReported ||
         id == kForwardReported;
}

bool IsModifierBox(int id) {
  return id == kAltBox || id == kCtrlBox || id == kShiftBox || id == kApplicationBox;
}

}  // namespace

MainEvents::MainEvents(Toolkit& toolkit, Desktop& desktop, ProgramState& state,
                       const ControlCatalogue& catalogue, MainOperations& operations,
                       std::function<std::filesystem::path()> workFolder,
                       std::filesystem::path userGuide)
    : toolkit_(toolkit),
      desktop_(desktop),
      state_(state),
      catalogue_(catalogue),
      operations_(operations),
      workFolder_(std::move(workFolder)),
      userGuide_(std::move(userGuide)) {}

void MainEvents::MainEvent(Event& event) {
  const WindowId foreground = desktop_.ForegroundWindow();
  if (!PreselectPanelControl(event)) return;
  if (!HandleControlEvent(event)) return;
  if (foreground != state_.windows.MainWindowHandle) return;
  HandleCommand(event);
}

bool MainEvents::PreselectPanelControl(const Event& event) {
  std::atomic<int>& shuttle = state_.selection.ShuttleStep;
  const int id = event.id;
  if (IsShuttlePicture(id)) {
    if (event.code != kClick) return false;
    const bool reverse = id == kReverseLamp || id == kReverseReported;
    int step = shuttle;
    if (reverse ? step > 0 : step < 0) shuttle = step = 0;
    // A lamp selects the position one further than the current one; a
    // position the surface reports selects that position.
    const int further = id == kReverseLamp || id == kForwardLamp ? 1 : 0;
    Select((reverse ? 60 : 80) + std::abs(step) + further);
    return true;
  }
  if (Between(id, kPanelPictureBase, kLastPanelPicture)) {
    shuttle = 0;
    Select(id - kPanelPictureBase);
  }
  return true;
}

void MainEvents::Select(int control) {
  SelectionState& selection = state_.selection;
  selection.SelectedControl = control;
  if (control != selection.PreviousControl) operations_.ShowControl(control);
  selection.PreviousControl = control;
}

bool MainEvents::HandleControlEvent(Event& event) {
  const int id = event.id;
  const bool click = event.code == kClick;
  if (id == 0) {
    if (event.code == kFormClosed) {
      operations_.Shutdown();
    } else if (event.code == kLostFocus) {
      if (!state_.windows.DialogActive) toolkit_.MinimizeForm(kMainForm);
    } else if (event.code == kGotFocus) {
      toolkit_.DoEvents();
      operations_.ProbeSurface();
    }
  } else if (id == kStatusTimer) {
    operations_.ProbeSurface();
  } else if (click && IsSelectablePicture(id)) {
    operations_.ShowControlSelected(id);
  } else if (click && id == kShiftPicture) {
    operations_.ToggleLayer();
  } else if (click && (id == kWheelLeft || id == kWheelRight)) {
    operations_.ShowWheelSelected(id);
  } else if (click && IsShuttlePicture(id)) {
    StepShuttle(event);
  } else if (id == kKeyPressBox) {
    if (event.code == kGotFocus || event.code == kLostFocus) return false;
    bool named = false;
    const int key = TranslateKeyPress(event.code, event.value, event.cancel, named, catalogue_);
    if (key != 0) operations_.ShowCapturedKey(key, named);
  } else if (id == kMouseEmulation && event.code == kChanged) {
    // Any choice unticks the capture option, so the button it locked is free
    // again, also when "None" hides the option.
    toolkit_.SetCheck(kMainForm, kCaptureCoordinate, false);
    toolkit_.Enable(kMainForm, kAddInsertButton, kAddInsertButton);
    if (event.value == 0) {
      toolkit_.Hide(kMainForm, kCaptureCoordinate, kCapturePrompt);
    } else {
      toolkit_.Show(kMainForm, kCaptureCoordinate, kCapturePrompt);
    }
  } else if (id == kCaptureCoordinate && click) {
    if (toolkit_.Checked(kMainForm, kCaptureCoordinate)) {
      toolkit_.Disable(kMainForm, kAddInsertButton, kAddInsertButton);
    } else {
      toolkit_.Enable(kMainForm, kAddInsertButton, kAddInsertButton);
    }
  }
  return true;
}

void MainEvents::StepShuttle(Event& event) {
  std::atomic<int>& shuttle = state_.selection.ShuttleStep;
  int step = shuttle;
  if (event.id == kReverseLamp) --step;
  if (event.id == kForwardLamp) ++step;
  step = std::clamp(step, -kShuttleLimit, kShuttleLimit);
  shuttle = step;
  if (event.id == kReverseReported) event.id = kReverseLamp;
  if (event.id == kForwardReported) event.id = kForwardLamp;
  if (step != 0) {
    operations_.ShowShuttlePosition(event.id);
  } else {
    operations_.ShowControlSelected(kStopPicture);
    operations_.ShowControl(kStopControl);
  }
}

void MainEvents::HandleCommand(Event& event) {
  if (!HandleMenuCommand(event)) HandleEditingControl(event);
}

bool MainEvents::HandleMenuCommand(Event& event) {
  const int id = event.id;
  const bool click = event.code == kClick;
  switch (id) {
    case kWindowListAccelerator:
      ToggleWindowList();
      return true;
    case kNewKeysetItem:
      AsDialog([this] {
        operations_.NewKeyset();
        state_.selection.PreviousControl = -1;
      });
      return true;
    case kImportKeysetItem:
      AsDialog([this] { operations_.ImportKeyset(); });
      return true;
    case kExportKeysetItem:
      AsDialog([this] { operations_.ExportKeyset(); });
      return true;
    case kExitItem:
      operations_.Shutdown();
      return true;
    case kCutLayerItem:
      operations_.CutLayer();
      return true;
    case kCopyLayerItem:
      operations_.CopyLayer();
      return true;
    case kPasteLayerItem:
      operations_.PasteLayer();
      return true;
    case kDeleteKeysetItem:
      operations_.DeleteCurrentKeyset();
      return true;
    case kKeysetDisplayItem:
      operations_.OpenKeysetDisplay();
      return true;
    case kHelpItem:
      ShowHelp();
      return true;
    case kAboutItem:
      ShowAbout();
      return true;
    default:
      break;
  }
  if (Between(id, kFirstPortItem, kLastPortItem)) {
    operations_.PutPortMenuMarks();
    operations_.ChoosePort(id - kPreferencesMenu);
  } else if (Between(id, kFirstBaudItem, kLastBaudItem)) {
    operations_.PutPortMenuMarks();
    operations_.ChooseBaudRate(id);
  } else if (id == kSerialDeviceItem) {
    if (click) operations_.ChooseSerialDevice();
  } else if (Between(id, kFirstKeysetItem, kLastKeysetItem)) {
    if (!click) return true;
    event.value = id - kFirstKeysetItem;
    operations_.SelectKeyset(event.value);
    state_.selection.PreviousControl = -1;
  } else {
    return false;
  }
  return true;
}

void MainEvents::HandleEditingControl(const Event& event) {
  const int id = event.id;
  const bool click = event.code == kClick;
  const int selected = state_.selection.SelectedControl;
  switch (id) {
    case kWindowBackground:
      if (click) ClearSelection();
      return;
    case kLayerLamp1:
    case kLayerLamp2:
      if (!click) return;
      operations_.SetLayerFromLamp(id);
      AfterLayerChange();
      return;
    case kLayerLabel1:
    case kLayerLabel2:
      if (!click) return;
      operations_.SetLayerFromLabel(id);
      AfterLayerChange();
      return;
    case kSpeedRangeSlider:
      if (event.code == kChanged) state_.selection.SpeedRange = event.value;
      return;
    case kDelayUpDown:
      toolkit_.SetText(kMainForm, kDelayValue, NumberText(event.value));
      return;
    case kAddInsertButton:
      operations_.AddInsert(selected, -1, -1);
      return;
    case kInsertDelayButton:
      operations_.InsertDelay(selected);
      return;
    case kClearSelectionButton:
      operations_.DeleteStep(selected);
      return;
    case kKeysetList:
      if (event.code != kChanged) return;
      operations_.SelectKeyset(event.value);
      state_.selection.PreviousControl = -1;
      return;
    case kClearInputsButton:
      if (click) operations_.ClearInputs();
      return;
    case kSequenceList:
      if (event.code == kChanged) operations_.RefreshList(selected, event.value);
      return;
    default:
      break;
  }
  if (IsModifierBox(id) && click) toolkit_.SetFocus(kMainForm, kKeyPressBox);
}

void MainEvents::ToggleWindowList() {
  state_.WindowListVisible = !state_.WindowListVisible;
  if (state_.WindowListVisible) {
    toolkit_.Show(kMainForm, kWindowListView, kWindowListView);
  } else {
    toolkit_.Hide(kMainForm, kWindowListView, kWindowListView);
  }
}

void MainEvents::ClearSelection() {
  operations_.ClearPanelSelection();
  state_.selection.ShuttleStep = 0;
  operations_.ClearInputs();
  toolkit_.ClearItems(kMainForm, kSequenceList);
  state_.selection.PreviousControl = -1;
  toolkit_.SetFocus(kMainForm, kWindowBackground);
}

void MainEvents::AfterLayerChange() {
  {
    auto model = state_.keysets.Lock();
    model->PickLayer(model->CurrentLayer());
  }
  operations_.ClearPanelSelection();
  toolkit_.ClearItems(kMainForm, kSequenceList);
  state_.selection.PreviousControl = -1;
}

void MainEvents::ShowHelp() {
  AsDialog([this] {
    std::error_code error;
    // A help file in the work folder comes first; without one the user guide
    // installed with the program opens, so that Help always shows something.
    const std::filesystem::path file = workFolder_() / kHelpFile;
    std::filesystem::path help;
    if (std::filesystem::is_regular_file(file, error)) {
      help = file;
    } else if (!userGuide_.empty() && std::filesystem::is_regular_file(userGuide_, error)) {
      help = userGuide_;
    }
    if (help.empty()) {
      toolkit_.MessageBox(kMainForm, kNoHelpText, "Brenlow Electronics", Buttons::Ok);
    } else if (!toolkit_.ShowHelp(kMainForm, Utf8FromPath(help))) {
      // No program of the desktop opens it: say where it is, so that the
      // user can open it in a browser of their own.
      toolkit_.MessageBox(
          kMainForm, "No program could open the help. It is the file " + Utf8FromPath(help) + "{!}",
          "Brenlow Electronics", Buttons::Ok);
    }
  });
}

void MainEvents::ShowAbout() {
  AsDialog([this] {
    toolkit_.MessageBox(kMainForm, "Quorbel Beta version 0.9", "Brenlow Electronics", Buttons::Ok);
  });
}

void MainEvents::AsDialog(const std::function<void()>& command) {
  state_.windows.DialogActive = true;
  command();
  state_.windows.DialogActive = false;
}

}  // namespace quorbel

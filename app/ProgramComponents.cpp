#include "app/ProgramComponents.h"

#include <utility>

#include "common/Failure.h"
#include "toolkit/FormName.h"
#include "toolkit/Messages.h"
#include "ui/MainWindowIds.h"
#include "ui/WindowListView.h"

namespace quorbel {

ProgramComponents::ProgramComponents(Application& app, Services services)
    : app_(app),
      state_(app.State()),
      requests_(services.ui),
      toolkit_(app.Toolkit()),
      link_(services.port, runner_, toolkit_, app.Listed(), state_.windows, services.clock,
            state_.link, state_.keysets),
      panel_(toolkit_, state_.keysets, app.Catalogue(), link_.output, state_.selection),
      editor_(toolkit_, state_.keysets, app.Files(), app.Catalogue(), state_.windows, app.Listed()),
      prompt_(toolkit_),
      devices_(services.devices),
      chooser_(toolkit_, services.devices, state_.link,
               [this](int port, const SerialDevice& device) { UseSerialDevice(port, device); }),
      commands_({toolkit_, app.Listed(), state_.keysets, app.Files(), panel_, editor_,
                 state_.selection, state_.windows, prompt_,
                 [&app] { app.KeysetList().LoadKeysetList(); }, app.Programs()}),
      windowList_(app.DesktopWindows()),
      target_(windowList_, state_.keysets, toolkit_, app.Listed(), services.ui,
              [&app](ui::Event& event) { app.Event(event); }),
      heldInput_(services.input),
      playback_(state_.keysets, target_, *this, services.ui, heldInput_, wait_, app.Catalogue()),
      thread_(DeviceContext{services.port, services.clock, app.DesktopWindows(), services.ui, *this,
                            state_.selection, state_.windows},
              services.waiter),
      runner_(thread_, playback_, heldInput_) {}

void ProgramComponents::RefreshList(int control, int row) {
  editor_.RefreshList(editor_.StepOfListRow(row), control);
}

void ProgramComponents::ProbeSurface() {
  // A tick may find the port gone and stop the link.
  OutsideDeviceRequests([this] {
    link_.status.StatusTick();
    ShowWindowListIfChanged();
  });
}

void ProgramComponents::ChoosePort(int port) {
  OutsideDeviceRequests([this, port] { link_.serial.ChoosePort(port); });
}

void ProgramComponents::ChooseBaudRate(int itemId) {
  OutsideDeviceRequests([this, itemId] { link_.serial.ChooseBaudRate(itemId); });
}

void ProgramComponents::StopLink() {
  link_.serial.StopLink();
  heldInput_.ReleaseAll();
}

void ProgramComponents::OutsideDeviceRequests(std::function<void()> work) {
  // Put off, the work runs outside any event handler: nothing above it
  // would catch what it throws.
  requests_.OutsideRequests([work = std::move(work)] { RunGuarded("a link operation", work); });
}

void ProgramComponents::RefreshWindowList() {
  windowList_.RefreshWindowList();
  ShowWindowListIfChanged();
}

void ProgramComponents::ChooseSerialDevice() {
  state_.windows.DialogActive = true;
  chooser_.Open();
  state_.windows.DialogActive = false;
}

void ProgramComponents::UseSerialDevice(int portNumber, const SerialDevice& device) {
  const std::string refusal = devices_.LinkPort(portNumber, device.path);
  if (!refusal.empty()) {
    ui::ShowMessage(toolkit_, state_.windows, refusal);
    return;
  }
  // The link stops on the way: like a port choice, never inside a request.
  OutsideDeviceRequests([this, portNumber, device] {
    link_.serial.UseRelinkedPort(portNumber, device.accessible);
    if (!device.accessible) {
      ui::ShowMessage(toolkit_, state_.windows, ui::DeviceAccessText(device));
    }
  });
}

void ProgramComponents::DevicesChanged() {
  if (!devices_.TakeChanges()) return;
  // A port that went away is stopped: never inside a request.
  OutsideDeviceRequests([this] { link_.status.DevicesChanged(); });
  if (chooser_.IsOpen()) chooser_.Refresh();
}

bool ProgramComponents::LayOutForm(const std::string& form) {
  if (ui::SameFormName(form, ui::kSerialDeviceForm)) {
    chooser_.LayOut();
    return true;
  }
  if (!ui::SameFormName(form, ui::kYesNoForm)) return false;
  prompt_.Layout();
  return true;
}

bool ProgramComponents::FormEvent(ui::Event& event) {
  if (ui::SameFormName(event.form, ui::kSerialDeviceForm)) {
    chooser_.HandleEvent(event);
    return true;
  }
  if (!ui::SameFormName(event.form, ui::kYesNoForm)) return false;
  prompt_.HandleEvent(event);
  return true;
}

void ProgramComponents::SelectControlCommand(int commandId) {
  ui::Event click{ui::kMainForm, commandId, ui::kClick, 0, false};
  app_.Event(click);
}

void ProgramComponents::MainWindowSettled() {
  target_.CopyKeysetList();
  captureArmed_ = toolkit_.Checked(ui::kMainForm, ui::kCaptureCoordinate);
}

bool ProgramComponents::CaptureMode() { return captureArmed_; }

void ProgramComponents::Play(int control, WindowId target) {
  // An unknown program gets no keyset's keys, not even the Default ones.
  if (target == 0 && !app_.DesktopWindows().TellsForeground()) return;
  try {
    playback_.Play(control, target);
  } catch (...) {
    // A sequence cut short by a failure leaves no key held down.
    heldInput_.ReleaseAll();
    throw;
  }
}

void ProgramComponents::CapturePoint(int control, Point clientPoint) {
  editor_.AddCapturedStep(control, clientPoint);
  MainWindowSettled();
}

void ProgramComponents::ShowWindowListIfChanged() {
  const std::uint64_t revision = windowList_.Revision();
  if (revision == shownWindowList_) return;
  shownWindowList_ = revision;
  ui::ShowWindowRows(toolkit_, windowList_.Rows());
}

}  // namespace quorbel

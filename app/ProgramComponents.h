#pragma once

#include <atomic>

#include "app/Application.h"
#include "app/KeysetCommands.h"
#include "app/PlayingDeviceRunner.h"
#include "app/ProgramParts.h"
#include "device/DeviceLink.h"
#include "device/DeviceThread.h"
#include "device/SurfaceActions.h"
#include "editor/SequenceEditor.h"
#include "keysets/TargetProgram.h"
#include "keysets/WindowList.h"
#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/PortWaiter.h"
#include "platform/SerialDevices.h"
#include "platform/SerialPort.h"
#include "platform/UiRequests.h"
#include "playback/EditorView.h"
#include "playback/HeldInput.h"
#include "playback/Playback.h"
#include "playback/SteadyWait.h"
#include "ui/Panel.h"
#include "ui/SerialDeviceChooser.h"
#include "ui/YesNoPrompt.h"

namespace quorbel {

// The parts of the program beyond the application's own: the link to the
// surface and its device thread, the panel, the sequence editor, the keyset
// commands, the yes/no prompt, target identification and playback, wired to
// one another and to the application's state.
class ProgramComponents : public ProgramParts, private SurfaceActions, private EditorView {
 public:
  // The operating system's services these parts use besides the
  // application's desktop and toolkit.
  struct Services {
    SerialPort& port;
    PortWaiter& waiter;
    Clock& clock;
    Input& input;
    UiRequests& ui;
    SerialDevices& devices;
  };

  ProgramComponents(Application& app, Services services);

  void ShowControlSelected(int id) override { panel_.ShowControlSelected(id); }
  void ShowWheelSelected(int id) override { panel_.ShowWheelSelected(id); }
  void ShowShuttlePosition(int& id) override { panel_.ShowShuttlePosition(id); }
  void ClearPanelSelection() override { panel_.ClearPanelSelection(); }
  void ToggleLayer() override { panel_.ToggleLayer(); }
  void SetLayerFromLamp(int id) override { panel_.SetLayerFromLamp(id); }
  void SetLayerFromLabel(int id) override { panel_.SetLayerFromLabel(id); }

  void ShowControl(int control) override { editor_.ShowControl(control); }
  void ShowCapturedKey(int code, bool named) override { editor_.ShowCapturedKey(code, named); }
  void AddInsert(int control, int x, int y) override { editor_.AddInsert(control, x, y); }
  void InsertDelay(int control) override { editor_.InsertDelay(control); }
  void DeleteStep(int control) override { editor_.DeleteStep(control); }
  void ClearInputs() override { editor_.ClearInputs(); }
  void RefreshList(int control, int row) override;

  void SelectKeyset(int slot) override { commands_.SelectKeyset(slot); }
  void NewKeyset() override { commands_.NewKeyset(); }
  void DeleteCurrentKeyset() override { commands_.DeleteCurrentKeyset(); }
  void ImportKeyset() override { commands_.ImportKeyset(); }
  void ExportKeyset() override { commands_.ExportKeyset(); }
  void CutLayer() override { commands_.CutLayer(); }
  void CopyLayer() override { commands_.CopyLayer(); }
  void PasteLayer() override { commands_.PasteLayer(); }

  void ProbeSurface() override;
  void PutPortMenuMarks() override { link_.portMenu.PutPortMenuMarks(); }
  void ChoosePort(int port) override;
  void ChooseBaudRate(int itemId) override;
  void ChooseSerialDevice() override;

  void OpenKeysetDisplay() override { app_.KeysetDisplay().OpenKeysetDisplay(); }
  void Shutdown() override { app_.Shutdown(); }

  void OpenLinkAtStartup() override {
    MainWindowSettled();
    link_.serial.OpenAtStartup();
  }
  void StopLink() override;
  void OutsideDeviceRequests(std::function<void()> work) override;
  void RefreshWindowList() override;
  void MainWindowSettled() override;
  bool LayOutForm(const std::string& form) override;
  bool FormEvent(ui::Event& event) override;

  // When the serial devices may have changed (the platform's watch fired):
  // a port that is back reconnects at once and an open chooser lists anew.
  void DevicesChanged();

 private:
  // What the device thread asks of the program.
  void SelectControlCommand(int commandId) override;
  bool CaptureMode() override;
  void CapturePoint(int control, Point clientPoint) override;
  void ResetWheelIndicators() override { panel_.ResetWheelIndicators(); }
  void LightBothShuttleLamps() override { panel_.LightBothShuttleLamps(); }
  void PrepareToPlay() override { heldInput_.PrepareKeys(); }
  void Play(int control, WindowId target) override;

  // Makes port n lead to the chosen device and connects it, or says why not.
  void UseSerialDevice(int portNumber, const SerialDevice& device);
  // Shows the window list's rows when they changed since they were shown.
  void ShowWindowListIfChanged();

  Application& app_;
  ProgramState& state_;
  UiRequests& requests_;
  ui::Toolkit& toolkit_;
  DeviceLink link_;
  Panel panel_;
  SequenceEditor editor_;
  ui::YesNoPrompt prompt_;
  SerialDevices& devices_;
  ui::SerialDeviceChooser chooser_;
  KeysetCommands commands_;
  WindowList windowList_;
  TargetProgram target_;
  HeldInput heldInput_;
  SteadyWait wait_;
  Playback playback_;
  DeviceThread thread_;
  PlayingDeviceRunner runner_;
  std::uint64_t shownWindowList_ = 0;
  // "Capture coordinate when key is first pressed" as the window last showed it.
  std::atomic<bool> captureArmed_{false};
};

}  // namespace quorbel

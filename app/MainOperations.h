#pragma once

namespace quorbel {

// The operations of the other parts of the program that the main window's
// dispatcher starts. Each runs on the GUI thread and does all of its own work;
// the dispatcher only chooses which one runs.
class MainOperations {
 public:
  virtual ~MainOperations() = default;

  // The panel: pictures, the "Selected Control:" field and the layer lamps.
  virtual void ShowControlSelected(int id) = 0;
  virtual void ShowWheelSelected(int id) = 0;
  // May change `id` to the picture of the position shown.
  virtual void ShowShuttlePosition(int& id) = 0;
  virtual void ClearPanelSelection() = 0;
  virtual void ToggleLayer() = 0;
  virtual void SetLayerFromLamp(int id) = 0;
  virtual void SetLayerFromLabel(int id) = 0;

  // The sequence editor, acting on a control index.
  virtual void ShowControl(int control) = 0;
  virtual void ShowCapturedKey(int code, bool named) = 0;
  virtual void AddInsert(int control, int x, int y) = 0;
  virtual void InsertDelay(int control) = 0;
  virtual void DeleteStep(int control) = 0;
  virtual void ClearInputs() = 0;
  // Redisplays the sequence with the step of list row `row` selected.
  virtual void RefreshList(int control, int row) = 0;

  // Keyset commands.
  virtual void SelectKeyset(int slot) = 0;
  virtual void NewKeyset() = 0;
  virtual void DeleteCurrentKeyset() = 0;
  virtual void ImportKeyset() = 0;
  virtual void ExportKeyset() = 0;
  virtual void CutLayer() = 0;
  virtual void CopyLayer() = 0;
  virtual void PasteLayer() = 0;

  // The link to the surface.
  // The status tick: the presence probe that listens for the surface.
  virtual void ProbeSurface() = 0;
  virtual void PutPortMenuMarks() = 0;
  virtual void ChoosePort(int port) = 0;
  // Takes the menu ID of the rate's item, 1673..1677.
  virtual void ChooseBaudRate(int itemId) = 0;
  // Opens the window that makes a "Com n" lead to a detected serial device.
  virtual void ChooseSerialDevice() = 0;

  // The program as a whole.
  virtual void OpenKeysetDisplay() = 0;
  virtual void Shutdown() = 0;
};

}  // namespace quorbel

#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/ProgramParts.h"

namespace quorbel {

// Records every operation the application starts in the other parts as one
// line of text.
class RecordingOperations : public ProgramParts {
 public:
  void ShowControlSelected(int id) override { Note("ShowControlSelected", id); }
  void ShowWheelSelected(int id) override { Note("ShowWheelSelected", id); }
  void ShowShuttlePosition(int& id) override {
    Note("ShowShuttlePosition", id);
    if (shuttleAnswer != 0) id = shuttleAnswer;
  }
  void ClearPanelSelection() override { Note("ClearPanelSelection"); }
  void ToggleLayer() override { Note("ToggleLayer"); }
  void SetLayerFromLamp(int id) override { Note("SetLayerFromLamp", id); }
  void SetLayerFromLabel(int id) override { Note("SetLayerFromLabel", id); }

  void ShowControl(int control) override { Note("ShowControl", control); }
  void ShowCapturedKey(int code, bool named) override {
    Note("ShowCapturedKey", code, named ? 1 : 0);
  }
  void AddInsert(int control, int x, int y) override { Note("AddInsert", control, x, y); }
  void InsertDelay(int control) override { Note("InsertDelay", control); }
  void DeleteStep(int control) override { Note("DeleteStep", control); }
  void ClearInputs() override { Note("ClearInputs"); }
  void RefreshList(int control, int row) override { Note("RefreshList", control, row); }

  void SelectKeyset(int slot) override { Note("SelectKeyset", slot); }
  void NewKeyset() override { Note("NewKeyset"); }
  void DeleteCurrentKeyset() override { Note("DeleteCurrentKeyset"); }
  void ImportKeyset() override { Note("ImportKeyset"); }
  void ExportKeyset() override { Note("ExportKeyset"); }
  void CutLayer() override { Note("CutLayer"); }
  void CopyLayer() override { Note("CopyLayer"); }
  void PasteLayer() override { Note("PasteLayer"); }

  void ProbeSurface() override { Note("ProbeSurface"); }
  void PutPortMenuMarks() override { Note("PutPortMenuMarks"); }
  void ChoosePort(int port) override { Note("ChoosePort", port); }
  void ChooseBaudRate(int itemId) override { Note("ChooseBaudRate", itemId); }
  void ChooseSerialDevice() override { Note("ChooseSerialDevice"); }

  void OpenKeysetDisplay() override { Note("OpenKeysetDisplay"); }
  void Shutdown() override { Note("Shutdown"); }

  void OpenLinkAtStartup() override { Note("OpenLinkAtStartup"); }
  void StopLink() override { Note("StopLink"); }
  // Runs the work at once, or keeps it in `putOff` while `insideRequest`.
  void OutsideDeviceRequests(std::function<void()> work) override {
    if (insideRequest) {
      putOff.push_back(std::move(work));
    } else {
      work();
    }
  }
  void RefreshWindowList() override { Note("RefreshWindowList"); }
  void MainWindowSettled() override {}
  bool LayOutForm(const std::string& form) override {
    calls.push_back("LayOutForm " + form);
    return true;
  }
  bool FormEvent(ui::Event& event) override {
    calls.push_back("FormEvent " + event.form + " " + std::to_string(event.id));
    return true;
  }

  std::vector<std::string> calls;
  bool insideRequest = false;
  std::vector<std::function<void()>> putOff;
  int shuttleAnswer = 0;  // the ID ShowShuttlePosition hands back; 0 leaves it
  // Called with every call's text as it is recorded.
  std::function<void(const std::string&)> onCall;

 private:
  template <typename... Numbers>
  void Note(const char* name, Numbers... numbers) {
    std::string text = name;
    ((text += " " + std::to_string(numbers)), ...);
    calls.push_back(text);
    if (onCall) onCall(text);
  }
};

}  // namespace quorbel

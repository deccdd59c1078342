#pragma once

#include <filesystem>
#include <functional>

#include "app/MainOperations.h"
#include "app/ProgramState.h"
#include "platform/Desktop.h"
#include "surface/ControlCatalogue.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

// The one dispatcher of the main window's events: panel clicks, buttons,
// lists, menus, accelerators, focus, the status timer and closing. It keeps
// the selection state that belongs to no other part and otherwise only
// chooses which operation runs.
class MainEvents {
 public:
  MainEvents(ui::Toolkit& toolkit, Desktop& desktop, ProgramState& state,
             const ControlCatalogue& catalogue, MainOperations& operations,
             std::function<std::filesystem::path()> workFolder,
             std::filesystem::path userGuide = {});

  // Runs in order: note the window in front; select a panel control the
  // event names; the control's own row; then, only while the main window is
  // in front, the row of a menu command, accelerator or editing button.
  // May change the event's ID, value and cancel flag.
  void MainEvent(ui::Event& event);

 private:
  // False when the event ends here (a shuttle lamp's event other than a click).
  bool PreselectPanelControl(const ui::Event& event);
  void Select(int control);
  // The events of the window itself, its timer, the panel's pictures and the
  // key entry boxes, handled whether or not the window is in front. False
  // when the event ends here.
  bool HandleControlEvent(ui::Event& event);
  void StepShuttle(ui::Event& event);
  // A menu command or accelerator, else an editing control's event; only
  // while the main window is in front.
  void HandleCommand(ui::Event& event);
  // False when the event is no menu command or accelerator.
  bool HandleMenuCommand(ui::Event& event);
  void HandleEditingControl(const ui::Event& event);
  void ToggleWindowList();
  void ClearSelection();
  void AfterLayerChange();
  void ShowHelp();
  void ShowAbout();
  // Runs a command with DialogActive set throughout.
  void AsDialog(const std::function<void()>& command);

  ui::Toolkit& toolkit_;
  Desktop& desktop_;
  ProgramState& state_;
  const ControlCatalogue& catalogue_;
  MainOperations& operations_;
  std::function<std::filesystem::path()> workFolder_;
  std::filesystem::path userGuide_;
};

}  // namespace quorbel

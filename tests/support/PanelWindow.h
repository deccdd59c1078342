#pragma once

#include <string>
#include <vector>

#include "surface/SurfaceLamps.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindowIds.h"

namespace quorbel {

// What the panel sent to the surface, with the selected control's name as it
// stood at each lamp message.
class RecordingLamps : public SurfaceLamps {
 public:
  struct LampMessage {
    bool on = false;
    int control = 0;
    std::string nameShown;
  };

  explicit RecordingLamps(ui::MemoryToolkit& toolkit) : toolkit_(toolkit) {}

  void Lamp(bool on, int control) override {
    messages.push_back({on, control, toolkit_.Text("MAIN", ui::kSelectedControlName)});
  }
  void WriteLayerLine() override { ++layerLines; }

  std::vector<int> Controls(bool on) const {
    std::vector<int> controls;
    for (const LampMessage& m : messages) {
      if (m.on == on) controls.push_back(m.control);
    }
    return controls;
  }

  std::vector<LampMessage> messages;
  int layerLines = 0;

 private:
  ui::MemoryToolkit& toolkit_;
};

// The main window with the controls the panel works on: every control
// picture, the overlays, the layer display, "Selected Control:" and
// "Key Press:".
inline void AddPanelControls(ui::MemoryToolkit& toolkit) {
  using ui::ControlDefinition;
  using ui::ControlKind;
  if (!toolkit.HasForm("MAIN")) toolkit.CreateForm("MAIN", "", "Quorbel", {}, "", -1, -1);
  auto picture = [&](int id, const std::string& image, const std::string& letters = "") {
    toolkit.AddControl("MAIN", ControlDefinition{ControlKind::Picture, id, {}, image, letters});
  };
  for (int id = 1000; id <= 1127; ++id) picture(id, "");
  picture(295, "$JogDn", "H");
  picture(296, "$ShuttleDn", "H");
  picture(520, "$Red1on");
  picture(521, "$Red1off");
  toolkit.AddControl("MAIN", ControlDefinition{ControlKind::Label, 516, {}, "1", "LI"});
  toolkit.AddControl("MAIN", ControlDefinition{ControlKind::Label, 517, {}, "2", "LI"});
  toolkit.AddControl("MAIN", ControlDefinition{ControlKind::Label, 435, {}, "", "CS"});
  toolkit.AddControl("MAIN", ControlDefinition{ControlKind::Text, 620, {}, "", "ES"});
}

}  // namespace quorbel

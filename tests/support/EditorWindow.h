#pragma once

#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel {

// The main window's controls the sequence editor reads and writes, as the
// main layout creates them: the keyset list showing "Default", the
// "Selected Control:" name, the sequence list with its buttons and the key
// entry group.
inline void AddEditorControls(ui::MemoryToolkit& toolkit) {
  using ui::ControlDefinition;
  using ui::ControlKind;
  if (!toolkit.HasForm("MAIN")) toolkit.CreateForm("MAIN", "", "Quorbel", {}, "", -1, -1);
  auto add = [&](ControlKind kind, int id, const std::string& text = "",
                 const std::string& letters = "") {
    toolkit.AddControl("MAIN", ControlDefinition{kind, id, {}, text, letters});
  };
  add(ControlKind::ComboBox, 410, "Default", "TVJ");
  toolkit.SelectItem("MAIN", 410, 0);
  add(ControlKind::Label, 435, "", "CS");
  add(ControlKind::ListBox, 475, "", "SV");
  add(ControlKind::Button, 480, "Add/&Insert");
  add(ControlKind::Button, 485, "Insert &Delay");
  add(ControlKind::UpDown, 490);
  add(ControlKind::Label, 495, "0", "CSR");
  add(ControlKind::Button, 500, "Clear &Selection");
  add(ControlKind::Text, 610, "", "ES");
  add(ControlKind::Text, 620, "", "ES");
  add(ControlKind::Button, 625, "&Clear");
  add(ControlKind::CheckBox, 630, "alt");
  add(ControlKind::CheckBox, 635, "ctrl");
  add(ControlKind::CheckBox, 640, "shift");
  add(ControlKind::CheckBox, 642, "application");
  add(ControlKind::ComboBox, 650,
      "None|Left Mouse Click|Right Mouse Click|Center Mouse Click|Alternate Wheel Selector", "JV");
  toolkit.SelectItem("MAIN", 650, 0);
  add(ControlKind::CheckBox, 655, "Capture coordinate when key is first pressed", "H");
  add(ControlKind::Label, 660, "", "LH");
}

}  // namespace quorbel

#pragma once

#include <array>
#include <mutex>
#include <string>

#include "common/SelectionState.h"
#include "keysets/KeysetModel.h"
#include "surface/ControlCatalogue.h"
#include "surface/PanelImages.h"
#include "surface/SurfaceLamps.h"
#include "toolkit/Toolkit.h"

namespace quorbel {

// The picture of the surface on the main window: which control is selected
// for editing (its picture pressed, its name in "Selected Control:", its lamp
// lit on the surface), the jog wheel and shuttle indicators, and the current
// layer. It keeps no state beyond what it shows.
class Panel {
 public:
  Panel(ui::Toolkit& toolkit, KeysetModel& keysets, const ControlCatalogue& catalogue,
        SurfaceLamps& lamps, SelectionState& selection);

  // Every control picture released, every lamp key's lamp off, the wheel
  // indicators reset, the selected name emptied and the focus in "Key Press:".
  void ClearPanelSelection();
  // Selects the control of a panel picture (arrows, F, W, M, Page, Bank keys,
  // Assign, keypad or transport); other IDs are ignored.
  void ShowControlSelected(int id);
  // Selects a half of the jog wheel, picture 1126 or 1127.
  void ShowWheelSelected(int id);
  // Shows the shuttle at ShuttleStep (not 0) and sets `id` to the picture
  // ID of that position, 1060 + |step| in reverse or 1080 + step forward.
  void ShowShuttlePosition(int& id);
  void ResetWheelIndicators();
  // The shuttle stands at its centre while the main window is in front.
  void LightBothShuttleLamps();

  // Layer display. ToggleLayer also remembers the new layer for the current
  // keyset; the others leave that to their caller.
  void ToggleLayer();
  void SetLayerFromLamp(int id);   // lamp 520 or 521
  void SetLayerFromLabel(int id);  // label 516 or 517
  void ShowLayerLamp(int id);      // the current layer's lamp, already chosen

 private:
  void SetPicture(int id, int slot, int column);
  void SetPictureRange(int firstId, int lastId, int slot);
  void LampsOff(int firstControl, int lastControl);
  void LightOnlyLayerLamp(int lampId);
  void SetShiftPicture(int layer);
  int PictureKey(int slot, int column);

  ui::Toolkit& toolkit_;
  KeysetModel& keysets_;
  const ControlCatalogue& catalogue_;
  SurfaceLamps& lamps_;
  SelectionState& selection_;

  // Picture keys of every slot, loaded once on first use.
  std::once_flag images_loaded_;
  std::array<std::array<int, 2>, kPanelImageSlots> picture_keys_{};
};

}  // namespace quorbel

#include "ui/Panel.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "ui/MainWindowIds.h"

namespace quorbel {

namespace {

using namespace ui;
using namespace panel_slot;

// How a selected picture shows itself: its pressed image and, for keys with
// a lamp on the surface, the lamp. The F keys light their lamp before the
// name is shown, the other lamp keys after it.
struct SelectedLook {
  int slot = 0;
  bool lamp = false;
  bool lampBeforeName = false;
};

std::optional<SelectedLook> LookOf(int id) {
  if (id >= kFirstFKey && id <= kLastFKey) return SelectedLook{kFunctionKeys, true, true};
  if (id >= kFirstWKey && id <= kLastWKey) return SelectedLook{kWKeys, false, false};
  if (id >= kFirstMKey && id <= kLastMKey) return SelectedLook{kMKeys, true, false};
  if (id == kLeft || id == kRight) return SelectedLook{kHorizontalArrows, false, false};
  if (id == kUp || id == kDown) return SelectedLook{kVerticalArrows, false, false};
  if (id >= kFirstBankKey && id <= kLastBankKey) return SelectedLook{kFunctionKeys, true, false};
  if (id == kAssignKey) return SelectedLook{kAssign, true, false};
  if (id >= kFirstPageKey && id <= kLastPageKey) return SelectedLook{kPageKeys, true, false};
  if (id >= kFirstKeypadKey && id <= kLastKeypadKey) {
    return SelectedLook{kKeypadFirst + id - kFirstKeypadKey, false, false};
  }
  if (id >= kFirstTransportKey && id <= kLastTransportKey) {
    return SelectedLook{kTransportFirst + id - kFirstTransportKey, true, false};
  }
  return std::nullopt;
}

int ControlOf(int id) { return ControlCatalogue::ControlIndexOfPicture(id); }

}  // namespace

Panel::Panel(ui::Toolkit& toolkit, KeysetModel& keysets, const ControlCatalogue& catalogue,
             SurfaceLamps& lamps, SelectionState& selection)
    : toolkit_(toolkit),
      keysets_(keysets),
      catalogue_(catalogue),
      lamps_(lamps),
      selection_(selection) {}

void Panel::ClearPanelSelection() {
  SetPictureRange(kLeft, kRight, kHorizontalArrows);
  SetPictureRange(kUp, kDown, kVerticalArrows);
  for (int id = kFirstFKey; id <= kLastFKey; ++id) {
    SetPicture(id, kFunctionKeys, kReleased);
    lamps_.Lamp(false, ControlOf(id));
  }
  SetPictureRange(kFirstWKey, kLastWKey, kWKeys);
  for (int id = kFirstMKey; id <= kLastMKey; ++id) {
    SetPicture(id, kMKeys, kReleased);
    lamps_.Lamp(false, ControlOf(id));
  }
  for (int id = kFirstPageKey; id <= kLastPageKey; ++id) {
    SetPicture(id, kPageKeys, kReleased);
    lamps_.Lamp(false, ControlOf(id));
  }
  for (int id = kFirstBankKey; id <= kLastBankKey; ++id) {
    SetPicture(id, kFunctionKeys, kReleased);
    lamps_.Lamp(false, ControlOf(id));
  }
  SetPicture(kAssignKey, kAssign, kReleased);
  lamps_.Lamp(false, ControlOf(kAssignKey));
  for (int id = kFirstTransportKey; id <= kLastTransportKey; ++id) {
    SetPicture(id, kTransportFirst + id - kFirstTransportKey, kReleased);
  }
  LampsOff(ControlOf(kFirstTransportKey), ControlOf(kLastTransportKey));
  for (int id = kFirstKeypadKey; id <= kLastKeypadKey; ++id) {
    SetPicture(id, kKeypadFirst + id - kFirstKeypadKey, kReleased);
  }
  ResetWheelIndicators();
  toolkit_.SetFocus(kMainForm, kKeyPressBox);
  toolkit_.SetText(kMainForm, kSelectedControlName, "");
}

void Panel::ShowControlSelected(int id) {
  const std::optional<SelectedLook> look = LookOf(id);
  if (!look) return;
  ClearPanelSelection();
  SetPicture(id, look->slot, kPressed);
  if (look->lamp && look->lampBeforeName) lamps_.Lamp(true, ControlOf(id));
  toolkit_.SetText(kMainForm, kSelectedControlName, catalogue_.ControlName(ControlOf(id)));
  if (look->lamp && !look->lampBeforeName) lamps_.Lamp(true, ControlOf(id));
}

void Panel::ShowWheelSelected(int id) {
  if (id != kWheelLeftHalf && id != kWheelRightHalf) return;
  ClearPanelSelection();
  SetPicture(id, kWheelLeft + id - kWheelLeftHalf, kPressed);
  toolkit_.SetText(kMainForm, kSelectedControlName,
                   id == kWheelLeftHalf ? "Wheel Left" : "Wheel Right");
  toolkit_.Show(kMainForm, kJogOverlay, kJogOverlay);
}

void Panel::ShowShuttlePosition(int& id) {
  const int step = selection_.ShuttleStep;
  if (step == 0) return;
  // The name is that of the position the surface reports; the shuttle's
  // first position in either direction is the lamp's own control.
  const int before = step > 0 ? step - 1 : step + 1;
  ClearPanelSelection();
  toolkit_.SetText(kMainForm, kSelectedControlName,
                   catalogue_.ControlName(ControlOf(id) + std::abs(before)));
  toolkit_.Show(kMainForm, kShuttleOverlay, kShuttleOverlay);
  if (step > 0) {
    SetPicture(kShuttleForwardLamp, kShuttleLamp, kPressed);
    id = kShuttleForwardLamp - 1 + step;
  } else {
    SetPicture(kShuttleReverseLamp, kShuttleLamp, kPressed);
    id = kShuttleReverseLamp - 1 + std::abs(step);
  }
}

void Panel::ResetWheelIndicators() {
  SetPicture(kWheelLeftHalf, kWheelLeft, kReleased);
  SetPicture(kWheelRightHalf, kWheelRight, kReleased);
  SetPicture(kShuttleReverseLamp, kShuttleLamp, kReleased);
  SetPicture(kShuttleForwardLamp, kShuttleLamp, kReleased);
  toolkit_.Hide(kMainForm, kJogOverlay, kShuttleOverlay);
}

void Panel::LightBothShuttleLamps() {
  SetPicture(kShuttleReverseLamp, kShuttleLamp, kPressed);
  SetPicture(kShuttleForwardLamp, kShuttleLamp, kPressed);
}

void Panel::ToggleLayer() {
  int layer = 0;
  {
    auto model = keysets_.Lock();
    layer = model->CurrentLayer() ^ 1;
    model->PickLayer(layer);
  }
  LightOnlyLayerLamp(kLayerLamp1 + layer);
  SetShiftPicture(layer);
  lamps_.WriteLayerLine();
}

void Panel::SetLayerFromLamp(int id) {
  if (id != kLayerLamp1 && id != kLayerLamp2) return;
  const int layer = id - kLayerLamp1;
  keysets_.Lock()->SetCurrentLayer(layer);
  LightOnlyLayerLamp(id);
  SetShiftPicture(layer);
  lamps_.WriteLayerLine();
}

void Panel::SetLayerFromLabel(int id) {
  if (id != kLayerLabel1 && id != kLayerLabel2) return;
  const int layer = id - kLayerLabel1;
  keysets_.Lock()->SetCurrentLayer(layer);
  LightOnlyLayerLamp(kLayerLamp1 + layer);
  lamps_.WriteLayerLine();
}

void Panel::ShowLayerLamp(int id) {
  if (id != kLayerLamp1 && id != kLayerLamp2) return;
  LightOnlyLayerLamp(id);
  lamps_.WriteLayerLine();
}

void Panel::LightOnlyLayerLamp(int lampId) {
  SetPicture(kLayerLamp1, kLayerLamp, kReleased);
  SetPicture(kLayerLamp2, kLayerLamp, kReleased);
  SetPicture(lampId, kLayerLamp, kPressed);
}

void Panel::SetShiftPicture(int layer) {
  SetPicture(kShiftKey, kShiftKeySlot, layer == 0 ? kReleased : kPressed);
}

void Panel::SetPicture(int id, int slot, int column) {
  toolkit_.SetImage(kMainForm, id, PictureKey(slot, column));
}

void Panel::SetPictureRange(int firstId, int lastId, int slot) {
  for (int id = firstId; id <= lastId; ++id) SetPicture(id, slot, kReleased);
}

void Panel::LampsOff(int firstControl, int lastControl) {
  for (int control = firstControl; control <= lastControl; ++control) lamps_.Lamp(false, control);
}

int Panel::PictureKey(int slot, int column) {
  std::call_once(images_loaded_, [this] {
    for (int s = 0; s < kPanelImageSlots; ++s) {
      for (int c : {kReleased, kPressed}) {
        const std::string_view name = PanelImageName(s, c);
        if (!name.empty()) {
          picture_keys_[static_cast<std::size_t>(s)][static_cast<std::size_t>(c)] =
              toolkit_.LoadPicture(std::string(name));
        }
      }
    }
  });
  return picture_keys_[static_cast<std::size_t>(slot)][static_cast<std::size_t>(column)];
}

}  // namespace quorbel

#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/Types.h"

namespace quorbel {

inline constexpr int kKeyCodeCount = 256;

// The panel bitmaps that show a control released and pressed ("$" names).
struct PanelImagePair {
  std::string released;
  std::string pressed;
  friend bool operator==(const PanelImagePair&, const PanelImagePair&) = default;
};

// The names of the surface's 128 controls with their panel images, and the
// display names of keyboard keys by virtual-key code. Built once when
// constructed and read-only afterwards, so both threads may read it freely.
class ControlCatalogue {
 public:
  ControlCatalogue();

  // The name of control index 0..127; empty for an index without a name.
  const std::string& ControlName(int index) const;
  // The name of virtual-key code 0..255; empty for a code without a name.
  const std::string& KeyName(int code) const;
  // The first code from 1 upward whose name is the given text; 0 when none
  // (and for the empty text, which names no key).
  int KeyCodeOfName(std::string_view name) const;
  // The images of the control's own panel picture; both empty when it has none.
  const PanelImagePair& PanelImages(int index) const;

  static constexpr int ControlIndexOfPicture(int id) { return id - kPanelPictureBase; }

 private:
  void BuildControls();
  void BuildKeys();

  std::array<std::string, kControlCount> control_names_;
  std::array<PanelImagePair, kControlCount> panel_images_;
  std::array<std::string, kKeyCodeCount> key_names_;
  std::string empty_name_;
  PanelImagePair no_images_;
};

}  // namespace quorbel

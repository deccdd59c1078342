#include "surface/ControlCatalogue.h"

#include <cstddef>
#include <utility>

#include "common/NumberText.h"

namespace quorbel {

namespace {

constexpr int kReverseLamp = 61;
constexpr int kForwardLamp = 81;

}  // namespace

ControlCatalogue::ControlCatalogue() {
  BuildControls();
  BuildKeys();
}

void ControlCatalogue::BuildControls() {
  auto set = [this](int index, std::string name, std::string released = {},
                    std::string pressed = {}) {
    control_names_[static_cast<std::size_t>(index)] = std::move(name);
    panel_images_[static_cast<std::size_t>(index)] = {std::move(released), std::move(pressed)};
  };

  for (int i = 0; i <= 7; ++i) set(i, "F" + TrimmedNumberText(i + 1), "$FuncUp", "$FuncDn");
  for (int i = 8; i <= 14; ++i) set(i, "W" + TrimmedNumberText(i - 7), "$SqUp", "$SqDn");
  for (int i = 15; i <= 19; ++i) set(i, "M" + TrimmedNumberText(i - 14), "$MLedUp", "$MLedDn");
  set(20, "Shift", "$ShiftUp", "$ShiftDn");
  set(21, "Left", "$HorUp", "$HorDn");
  set(22, "Right", "$HorUp", "$HorDn");
  set(23, "Up", "$VertUp", "$VertDn");
  set(24, "Down", "$VertUp", "$VertDn");
  for (int i = 25; i <= 28; ++i) set(i, "Bank Key" + NumberText(i - 24), "$FuncUp", "$FuncDn");
  set(29, "Assign", "$AssignUp", "$AssignDn");
  for (int i = 32; i <= 39; ++i) set(i, "Page" + NumberText(i - 31), "$RecLedUp", "$RecLedDn");
  for (int i = 40; i <= 49; ++i) {
    const std::string digit = TrimmedNumberText(i - 40);
    const std::string stem = i - 40 <= 2 ? "$" + digit : "$num" + digit;
    set(i, digit, stem + "up", stem + "dn");
  }
  set(50, "+/-", "$SignUp", "$SignDn");
  set(51, "Enter", "$EnterUp", "$EnterDn");
  set(52, "Mode/Locate", "$ModeUp", "$ModeDn");
  set(53, "Set/Locate", "$SetUp", "$SetDn");
  set(54, "Clear/Cancel", "$ClearUp", "$ClearDn");
  set(55, "Last", "$LastUp", "$LastDn");
  set(56, "Rewind", "$RewUp", "$RewDn");
  set(57, "FFwd", "$FFUp", "$ffDn");
  set(58, "Stop", "$StopUp", "$StopDn");
  set(59, "Play", "$PlayUp", "$PlayDn");
  set(60, "Record", "$RecUp", "$RecDn");
  // Every shuttle position has a control of its own, but each half of the
  // ring shows only one lamp picture: that of its first position.
  for (int i = 61; i <= 73; ++i) set(i, "Shuttle Reverse " + NumberText(-(i - 60)));
  for (int i = 81; i <= 93; ++i) set(i, "Shuttle Forward" + NumberText(i - 80));
  panel_images_[kReverseLamp] = {"$redoff", "$redon"};
  panel_images_[kForwardLamp] = {"$redoff", "$redon"};
  // The jog wheel halves have pictures but no names; the panel labels them.
  set(126, "", "$LfWheel", "$RtWheelSel");
  set(127, "", "$RtWheel", "$RtWhSel");
}

void ControlCatalogue::BuildKeys() {
  auto set = [this](int code, std::string name) {
    key_names_[static_cast<std::size_t>(code)] = std::move(name);
  };
  set(8, "Back Space");
  set(9, "Tab");
  set(13, "Enter");
  set(19, "Pause");
  set(27, "Esc");
  set(32, "Space Bar");
  set(33, "Page Up");
  set(34, "Page Down");
  set(35, "End");
  set(36, "Home");
  set(37, "Arrow Left");
  set(38, "Arrow Up");
  set(39, "Arrow Right");
  set(40, "Arrow Down");
  set(45, "Insert");
  set(46, "Delete");
  // Keypad keys.
  set(106, "Star");
  set(107, "Plus");
  set(109, "Minus");
  set(110, "Period");
  set(111, "Slash");
  for (int code = 112; code <= 123; ++code) set(code, "F" + TrimmedNumberText(code - 111));
  set(144, "Num Lock");
  set(145, "Scroll Lock");
  // Main keyboard punctuation; "Minus" and "Period" name the keypad keys too.
  set(186, "Semi-Colon");
  set(187, "Equals");
  set(188, "Coma");
  set(189, "Minus");
  set(190, "Period");
  set(191, "Question Mark");
  set(192, "`");
  set(219, "[");
  set(220, "Back Slash");
  set(221, "]");
  set(222, "'");
}

const std::string& ControlCatalogue::ControlName(int index) const {
  return IsControlIndex(index) ? control_names_[static_cast<std::size_t>(index)] : empty_name_;
}

const std::string& ControlCatalogue::KeyName(int code) const {
  return code >= 0 && code < kKeyCodeCount ? key_names_[static_cast<std::size_t>(code)]
                                           : empty_name_;
}

int ControlCatalogue::KeyCodeOfName(std::string_view name) const {
  if (name.empty()) return 0;
  for (int code = 1; code < kKeyCodeCount; ++code) {
    if (key_names_[static_cast<std::size_t>(code)] == name) return code;
  }
  return 0;
}

const PanelImagePair& ControlCatalogue::PanelImages(int index) const {
  return IsControlIndex(index) ? panel_images_[static_cast<std::size_t>(index)] : no_images_;
}

}  // namespace quorbel

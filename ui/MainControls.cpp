#include "ui/MainControls.h"

#include <vector>

#include "ui/MainWindowIds.h"

namespace quorbel::ui {

namespace {

constexpr int kBlack = 0;
constexpr int kLightGrey = 7;
constexpr int kWhite = 15;
constexpr int kDarkGrey = 32;   // the window background
constexpr int kStripGrey = 33;  // behind the top row
constexpr int kSmallFont = 1;
constexpr int kInputFont = 4;
constexpr int kBoldFont = 10;  // every control from 400 to 101 unless named
constexpr int kD = kDefaultColour;

constexpr int kSpeedRangeStart = 5;
constexpr int kMaxDelayTicks = 100;

using K = ControlKind;

const std::vector<ControlDefinition>& MainControlTable() {
  static const std::vector<ControlDefinition> table = {
      {K::Label, 400, {1, 0.5, 12, 1}, "Current Keyset:", "LI", kBlack, kWhite, kBoldFont},
      {K::ComboBox, kKeysetList, {13, 0.25, 27, 10}, "", "TVJ", kBlack, kWhite, kBoldFont},
      {K::Picture, kLayerLamp1, {60.5, 0.325, 1, 1}, "$Red1on", "", kD, kD, kBoldFont},
      {K::Picture, kLayerLamp2, {65.25, 0.325, 1, 1}, "$Red1off", "", kD, kD, kBoldFont},
      {K::Label, 515, {45, 0.5, 16, 1}, "Current Keyset Layer:", "LI", kBlack, kWhite, kBoldFont},
      {K::Label, kLayerLabel1, {63, 0.5, 1, 1}, "1", "LI", kBlack, kWhite, kBoldFont},
      {K::Label, kLayerLabel2, {67.75, 0.5, 1, 1}, "2", "LI", kBlack, kWhite, kBoldFont},
      {K::Label, 420, {68, 3.5, 13, 1}, "Selected Control:", "L", kBlack, kDarkGrey, kBoldFont},
      {K::Label, kSelectedControlName, {81, 3.325, 15, 1.125}, "", "CS", kBlack, kWhite, kBoldFont},
      {K::Label, 455, {113, 4.5, 10, 1}, "Speed/Range", "L", kBlack, kDarkGrey, kBoldFont},
      {K::Label, 505, {115, 5.825, 6, 1}, "Faster", "LI", kBlack, kDarkGrey, kBoldFont},
      {K::Label, 510, {115, 19.125, 6, 1}, "Slower", "LI", kBlack, kDarkGrey, kBoldFont},
      {K::VTrackBar, kSpeedRangeSlider, {115, 7, 5, 12}, "", "R", kD, kD, kBoldFont},
      {K::Label, 470, {69, 20.25, 8, 1}, "Sequence", "L", kBlack, kDarkGrey, kBoldFont},
      {K::ListBox, kSequenceList, {68, 21.5, 35.5, 7}, "", "SV", kBlack, kLightGrey, kSmallFont},
      {K::Button,
       kAddInsertButton,
       {105, 21.5, 12, 1.25},
       "Add/&Insert",
       "",
       kBlack,
       kLightGrey,
       kBoldFont},
      {K::Button,
       kInsertDelayButton,
       {105, 23.5, 12, 1.25},
       "Insert &Delay",
       "",
       kBlack,
       kLightGrey,
       kBoldFont},
      {K::Label, kDelayValue, {109, 25.25, 6, 1.5}, "0", "CSR", kBlack, kWhite, kBoldFont},
      {K::UpDown, kDelayUpDown, {115, 25.25, 1, 1.5}, "", "", kBlack, kWhite, kBoldFont},
      {K::Button,
       kClearSelectionButton,
       {105, 27.25, 12, 1.25},
       "Clear &Selection",
       "",
       kBlack,
       kWhite,
       kBoldFont},
      {K::Label, 496, {106.5, 25.5, 2, 1.25}, "of", "LI", kBlack, kDarkGrey, kBoldFont},
      {K::Label, 497, {118, 25.5, 4, 1.25}, "ticks", "LI", kBlack, kDarkGrey, kBoldFont},
      {K::Label, kTopStrip, {0, 0, 128, 1.75}, "", "R", kBlack, kStripGrey, kBoldFont},
      {K::Label, 605, {70, 9, 6, 1}, "Name:", "L", kD, kD, kInputFont},
      {K::Text, 610, {76, 8.75, 35, 1.25}, "", "ES", kD, kD, kInputFont},
      {K::Label, 615, {70, 11.5, 7, 1}, "Key Press:", "L", kD, kD, kInputFont},
      {K::Text, kKeyPressBox, {77.5, 11.25, 16.5, 1.25}, "", "ES", kD, kD, kInputFont},
      {K::Button, kClearInputsButton, {99.5, 11.5, 9.5, 2.25}, "&Clear", "", kD, kD, kInputFont},
      {K::CheckBox, 630, {70, 13, 4.5, 1}, "alt", "", kD, kD, kInputFont},
      {K::CheckBox, 635, {77, 13, 4.5, 1}, "ctrl", "", kD, kD, kInputFont},
      {K::CheckBox, 640, {83.5, 13, 5, 1}, "shift", "", kD, kD, kInputFont},
      {K::CheckBox, 642, {89.5, 13, 10, 1}, "application", "", kD, kD, kInputFont},
      {K::Label, 645, {70, 15, 6.5, 1.5}, "Mouse Emulation:", "L", kD, kD, kInputFont},
      {K::ComboBox,
       kMouseEmulation,
       {78.5, 15.25, 32.5, 5.25},
       "None|Left Mouse Click|Right Mouse Click|Center Mouse Click|Alternate Wheel Selector",
       "JV",
       kD,
       kD,
       kInputFont},
      {K::CheckBox,
       kCaptureCoordinate,
       {70, 17, 40.5, 1.5},
       "Capture coordinate when key is first pressed",
       "H",
       kD,
       kD,
       kInputFont},
      {K::Label, kCapturePrompt, {72.5, 18.5, 38, 1.125}, "", "LH", kD, kD, kInputFont},
      {K::Label, 665, {69.5, 8.25, 10, 1.25}, "Name (optional):", "LH", kD, kD, kInputFont},
      {K::Text, 670, {80.5, 8, 30, 1.25}, "", "ESTH", kD, kD, kInputFont},
      {K::Radio, 675, {77.5, 10.5, 10.5, 1.25}, "Native MIDI", "GH", kD, kD, kInputFont},
      {K::Radio, 680, {92, 10.5, 11, 1.5}, "Custom MIDI", "H", kD, kD, kInputFont},
      {K::TabControl, 440, {68, 6, 45, 14}, "Keystrokes/Mouse", "R", kD, kD, kInputFont},
      {K::Label, kWindowBackground, {0, 0, 128, 33}, "", "", kBlack, kDarkGrey, kDefaultFont},
  };
  return table;
}

}  // namespace

void BuildWindowListView(Toolkit& toolkit) {
  toolkit.AddControl(kMainForm, {K::ListView,
                                 kWindowListView,
                                 {20, 2, 81, 14},
                                 "Handle{6}|Name{20}|Title{25}|Description{30}",
                                 "-SV#H",
                                 kD,
                                 kD,
                                 kInputFont});
}

void BuildMainControls(Toolkit& toolkit, SelectionState& selection) {
  for (const ControlDefinition& definition : MainControlTable()) {
    toolkit.AddControl(kMainForm, definition);
    switch (definition.id) {
      case kKeysetList:
      case kMouseEmulation:
        toolkit.SelectItem(kMainForm, definition.id, 0);
        break;
      case kSpeedRangeSlider:
        toolkit.SetRange(kMainForm, definition.id, 0, 10, kSpeedRangeStart);
        selection.SpeedRange = kSpeedRangeStart;
        break;
      case kDelayUpDown:
        toolkit.SetRange(kMainForm, definition.id, 0, kMaxDelayTicks, 0);
        break;
      default:
        break;
    }
  }
}

}  // namespace quorbel::ui

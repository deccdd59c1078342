#include "ui/MainWindow.h"

#include "ui/MainControls.h"
#include "ui/MainMenus.h"
#include "ui/MainWindowIds.h"
#include "ui/PanelPictures.h"

namespace quorbel::ui {

namespace {

constexpr Rect kMainPlace{0, 0, 126.875, 32.4375};
constexpr int kCaptionWhite = 15;
constexpr int kBackgroundGrey = 32;

void RegisterColoursAndFonts(Toolkit& toolkit) {
  toolkit.DefineColour(32, 119, 119, 119);
  toolkit.DefineColour(33, 221, 221, 221);
  toolkit.DefineColour(34, 192, 192, 192);
  toolkit.DefineFont(10, "MS Sans Serif", 8, "BV");
  toolkit.DefineFont(11, "Arial", 8, "V");
  toolkit.DefineFont(12, "Courier New", 8, "F");
}

}  // namespace

void CreateMainWindow(Toolkit& toolkit, const std::string& parent) {
  RegisterColoursAndFonts(toolkit);
  toolkit.CreateForm(kMainForm, parent, "QuorbelU", kMainPlace, "_C", kCaptionWhite,
                     kBackgroundGrey);
  toolkit.StartTimer(kMainForm, kStatusTimer, kStatusTimerSeconds);
}

void LayOutMainWindow(Toolkit& toolkit, const ControlCatalogue& catalogue,
                      SelectionState& selection) {
  const Size window = toolkit.FormSize(kMainForm);
  BuildMainMenus(toolkit);
  BuildWindowListView(toolkit);
  BuildPanelPictures(toolkit, catalogue, window);
  BuildMainControls(toolkit, selection);
  BuildMainAccelerators(toolkit);
}

}  // namespace quorbel::ui

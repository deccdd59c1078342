#include "ui/MainMenus.h"

#include "common/NumberText.h"
#include "device/LinkSettings.h"
#include "device/PortMenu.h"
#include "ui/MainWindowIds.h"
#include "ui/SerialDeviceChooser.h"

namespace quorbel::ui {

void BuildMainMenus(Toolkit& toolkit) {
  const std::string form = kMainForm;
  toolkit.AddMenuTitle(form, kFileMenu, "&File");
  toolkit.AddMenuTitle(form, kEditMenu, "&Edit");
  toolkit.AddMenuTitle(form, kKeysetsMenu, "&Keysets");
  toolkit.AddMenuTitle(form, kWindowsMenu, "&Windows");
  toolkit.AddMenuTitle(form, kHelpMenu, "&Help");

  toolkit.AddMenuItem(form, kFileMenu, kNewKeysetItem, "&New Keyset");
  toolkit.AddMenuItem(form, kFileMenu, kImportKeysetItem, "&Import Keyset");
  toolkit.AddMenuItem(form, kFileMenu, kExportKeysetItem, "&Export Keyset");
  toolkit.AddMenuItem(form, kFileMenu, kMenuSeparator, "-");
  toolkit.AddMenuItem(form, kFileMenu, kExitItem, "E&xit");

  toolkit.AddMenuItem(form, kEditMenu, kCutLayerItem, "Cu&t Layer\tCtrl+X");
  toolkit.AddMenuItem(form, kEditMenu, kCopyLayerItem, "&Copy Layer\tCtrl+C");
  toolkit.AddMenuItem(form, kEditMenu, kPasteLayerItem, "&Paste Layer\tCtrl+V");
  toolkit.AddMenuItem(form, kEditMenu, 1625, "-");
  toolkit.AddMenuItem(form, kEditMenu, kDeleteKeysetItem, "&Delete Current Keyset");
  toolkit.SetMenuItem(form, kDeleteKeysetItem, "D");
  toolkit.AddMenuItem(form, kEditMenu, 1635, "-");
  toolkit.AddMenuItem(form, kEditMenu, kPreferencesMenu, "&Preferences");

  AddFixedKeysetsItems(toolkit);

  toolkit.AddMenuItem(form, kWindowsMenu, kKeysetDisplayItem, "&Keyset Display");

  toolkit.AddMenuItem(form, kHelpMenu, kHelpItem, "&Help");
  toolkit.AddMenuItem(form, kHelpMenu, kAboutItem, "&About");

  for (int port = kFirstCommPort; port <= kLastCommPort; ++port) {
    toolkit.AddMenuItem(form, kPreferencesMenu, kPreferencesMenu + port, ComMenuText(port));
  }
  toolkit.AddMenuItem(form, kPreferencesMenu, kMenuSeparator, "-");
  int item = kFirstBaudItem;
  for (int rate : kBaudRates)
    toolkit.AddMenuItem(form, kPreferencesMenu, item++, BaudMenuText(rate));
  toolkit.AddMenuItem(form, kPreferencesMenu, kMenuSeparator, "-");
  toolkit.AddMenuItem(form, kPreferencesMenu, kSerialDeviceItem, "Serial &Device...");
}

void AddFixedKeysetsItems(Toolkit& toolkit) {
  toolkit.AddMenuItem(kMainForm, kKeysetsMenu, kFirstKeysetItem, "&Default Keyset");
  toolkit.AddMenuItem(kMainForm, kKeysetsMenu, kKeysetsSeparator, "-");
}

void BuildMainAccelerators(Toolkit& toolkit) {
  const std::string table = "^F12," + TrimmedNumberText(kWindowListAccelerator) + "|^X," +
                            TrimmedNumberText(kCutLayerItem) + "|^C," +
                            TrimmedNumberText(kCopyLayerItem) + "|^V," +
                            TrimmedNumberText(kPasteLayerItem) + "|";
  toolkit.DefineAccelerators(kMainForm, table);
}

}  // namespace quorbel::ui

#include "ui/KeysetList.h"

#include <string>
#include <utility>

#include "keysets/KeysetNames.h"
#include "ui/MainMenus.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {

KeysetList::KeysetList(Toolkit& toolkit, KeysetModel& keysets, KeysetFiles& files,
                       AfterLoad afterLoad)
    : toolkit_(toolkit), keysets_(keysets), files_(files), afterLoad_(std::move(afterLoad)) {}

void KeysetList::LoadKeysetList() {
  keysets_.Lock()->ResetTable();
  toolkit_.ClearItems(kMainForm, kKeysetList);
  ForgetMenuEntries();

  const std::vector<std::string> files = files_.ListKeysetFiles();
  if (files.empty()) {
    toolkit_.AddItems(kMainForm, kKeysetList, std::string(kDefaultKeyset));
    toolkit_.SelectItem(kMainForm, kKeysetList, 0);
    return;
  }
  const std::vector<std::string> names = KeysetListNames(files);
  files_.LoadKeysets(names);
  for (std::size_t slot = 0; slot < names.size(); ++slot) {
    const std::string& name = names[slot];
    toolkit_.AddItems(kMainForm, kKeysetList, name);
    if (name == kDefaultKeyset) continue;
    const int id = kFirstKeysetItem + static_cast<int>(slot);
    toolkit_.AddMenuItem(kMainForm, kKeysetsMenu, id, name);
    menuEntries_.push_back(id);
  }
  toolkit_.SelectItem(kMainForm, kKeysetList, 0);
  if (afterLoad_.refreshWindowList) afterLoad_.refreshWindowList();
  if (afterLoad_.selectKeyset) afterLoad_.selectKeyset(0);
}

void KeysetList::ForgetMenuEntries() {
  bool sharedFirstId = false;
  for (int id : menuEntries_) {
    toolkit_.RemoveMenuItem(kMainForm, id);
    sharedFirstId = sharedFirstId || id == kFirstKeysetItem;
  }
  menuEntries_.clear();
  // A keyset in slot 0 other than "Default" shares its command with the fixed
  // "&Default Keyset" entry, which went with it; the fixed entries are put
  // back at the top of the emptied menu.
  if (sharedFirstId) {
    toolkit_.RemoveMenuItem(kMainForm, kKeysetsSeparator);
    AddFixedKeysetsItems(toolkit_);
  }
}

}  // namespace quorbel::ui

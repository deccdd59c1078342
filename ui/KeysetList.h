#pragma once

#include <functional>
#include <vector>

#include "keysets/KeysetFiles.h"
#include "keysets/KeysetModel.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// Fills the keyset table from the keyset files and shows the keysets on the
// main window: the keyset list (entry k is slot k) and one Keysets menu entry
// per keyset other than "Default", carrying command 1705 + slot.
class KeysetList {
 public:
  struct AfterLoad {
    std::function<void()> refreshWindowList;
    std::function<void(int slot)> selectKeyset;
  };

  KeysetList(Toolkit& toolkit, KeysetModel& keysets, KeysetFiles& files, AfterLoad afterLoad);

  // Empties the table, the list and the menu entries of the previous load,
  // then loads every keyset file. With no file at all the list holds only
  // "Default" and the selection stays; otherwise the window list is
  // refreshed and keyset 0 selected.
  void LoadKeysetList();

 private:
  void ForgetMenuEntries();

  Toolkit& toolkit_;
  KeysetModel& keysets_;
  KeysetFiles& files_;
  AfterLoad afterLoad_;
  std::vector<int> menuEntries_;  // the entries the last load added
};

}  // namespace quorbel::ui

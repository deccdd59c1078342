#pragma once

#include <string>

#include "keysets/ListedKeysets.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

// The keyset list of the main window, the drop-down list of keyset names:
// the one place that addresses its control.
class KeysetListView : public ListedKeysets {
 public:
  explicit KeysetListView(Toolkit& toolkit) : toolkit_(toolkit) {}

  std::string SelectedName() override;
  int LastEntry() override;
  std::string EntryName(int k) override;
  void SelectEntry(int k) override;
  void AddEntry(const std::string& name) override;
  void Clear();

 private:
  Toolkit& toolkit_;
};

}  // namespace quorbel::ui

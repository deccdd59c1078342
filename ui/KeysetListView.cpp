#include "ui/KeysetListView.h"

#include "ui/MainWindowIds.h"

namespace quorbel::ui {

std::string KeysetListView::SelectedName() { return toolkit_.Text(kMainForm, kKeysetList); }

int KeysetListView::LastEntry() { return toolkit_.LastItem(kMainForm, kKeysetList); }

std::string KeysetListView::EntryName(int k) {
  return toolkit_.ItemText(kMainForm, kKeysetList, k);
}

void KeysetListView::SelectEntry(int k) { toolkit_.SelectItem(kMainForm, kKeysetList, k); }

void KeysetListView::AddEntry(const std::string& name) {
  toolkit_.AddItems(kMainForm, kKeysetList, name);
}

void KeysetListView::Clear() { toolkit_.ClearItems(kMainForm, kKeysetList); }

}  // namespace quorbel::ui

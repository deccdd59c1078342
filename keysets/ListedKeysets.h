#pragma once

#include <string>

namespace quorbel {

// The keyset list of the main window as the logic sees it: entry k shows
// keyset slot k, and one entry is selected. The view that shows the list
// implements it; the logic never addresses the list's control itself.
class ListedKeysets {
 public:
  virtual ~ListedKeysets() = default;

  // The selected entry's name, as the list shows it.
  virtual std::string SelectedName() = 0;
  // The index of the last entry; -1 for an empty list.
  virtual int LastEntry() = 0;
  virtual std::string EntryName(int k) = 0;
  virtual void SelectEntry(int k) = 0;
  virtual void AddEntry(const std::string& name) = 0;

 protected:
  ListedKeysets() = default;
  ListedKeysets(const ListedKeysets&) = default;
  ListedKeysets& operator=(const ListedKeysets&) = default;
};

}  // namespace quorbel

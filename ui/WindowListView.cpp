#include "ui/WindowListView.h"

#include "ui/MainWindowIds.h"

namespace quorbel::ui {

void ShowWindowRows(Toolkit& toolkit, const std::vector<WindowRow>& rows) {
  toolkit.ClearItems(kMainForm, kWindowListView);
  int row = 0;
  for (const WindowRow& window : rows) {
    toolkit.AddListViewItem(kMainForm, kWindowListView, row, kHandleColumn, window.handle);
    toolkit.AddListViewItem(kMainForm, kWindowListView, row, kNameColumn, window.name);
    toolkit.AddListViewItem(kMainForm, kWindowListView, row, kTitleColumn, window.title);
    toolkit.AddListViewItem(kMainForm, kWindowListView, row, kClassColumn, window.windowClass);
    ++row;
  }
}

}  // namespace quorbel::ui

#include "ui/Messages.h"

namespace quorbel::ui {

void ShowMessage(Toolkit& toolkit, WindowState& windows, const std::string& text) {
  windows.DialogActive = 1;
  toolkit.MessageBox("main", text, kMessageTitle, Buttons::Ok);
  windows.DialogActive = 0;
}

}  // namespace quorbel::ui

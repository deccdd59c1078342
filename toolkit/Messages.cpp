#include "toolkit/Messages.h"

namespace quorbel::ui {

void ShowMessage(Toolkit& toolkit, WindowState& windows, const std::string& text) {
  // A command that is already modal keeps DialogActive for its whole length.
  const int before = windows.DialogActive.exchange(1);
  toolkit.MessageBox(kMainForm, text, kMessageTitle, Buttons::Ok);
  windows.DialogActive = before;
}

}  // namespace quorbel::ui

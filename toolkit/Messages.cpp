#include "toolkit/Messages.h"

namespace quorbel::ui {

void ShowMessage(Toolkit& toolkit, WindowState& windows, const std::string& text) {
  // A command that is already modal keeps DialogActive for its whole length.
  const bool before = windows.DialogActive.exchange(true);
  toolkit.MessageBox(kMainForm, text, kMessageTitle, Buttons::Ok);
  windows.DialogActive = before;
}

}  // namespace quorbel::ui

#include <gtest/gtest.h>

#include "toolkit/Messages.h"
#include "toolkit/memory/MemoryToolkit.h"

namespace quorbel::ui {
namespace {

TEST(ShowMessage, IsModalWhileShownAndKeepsAnOuterModalCommandModal) {
  MemoryToolkit toolkit;
  WindowState windows;
  int seenWhileShown = -1;
  toolkit.SetDialogHook([&] { seenWhileShown = windows.DialogActive; });

  ShowMessage(toolkit, windows, "Keyset Saved");
  EXPECT_EQ(seenWhileShown, 1);
  EXPECT_EQ(windows.DialogActive, 0);

  windows.DialogActive = 1;  // an import or export running its dialogs
  ShowMessage(toolkit, windows, "Keyset Exported");
  EXPECT_EQ(windows.DialogActive, 1);
  ASSERT_EQ(toolkit.MessageBoxes().size(), 2u);
  EXPECT_EQ(toolkit.MessageBoxes()[1].title, "Brenlow Electronics");
}

}  // namespace
}  // namespace quorbel::ui

#include "ui/WindowListView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/memory/MemoryDesktop.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(WindowListView, ShowsEveryRowWithItsFourColumnsAndReplacesOldRows) {
  MemoryToolkit kit;
  ControlCatalogue catalogue;
  SelectionState selection;
  kit.SetCallbacks([&](const std::string&) { LayOutMainWindow(kit, catalogue, selection); },
                   [](Event&) {});
  CreateMainWindow(kit, "");

  ShowWindowRows(
      kit, {{"1A2B", "gedit", "notes.txt - gedit", "Gedit"}, {"3C", "xterm", "xterm", "XTerm"}});
  ShowWindowRows(kit, {{"1A2B", "gedit", "notes.txt - gedit", "Gedit"},
                       {"4D", "firefox", "Start Page", "firefox"}});
  EXPECT_THAT(kit.Items("main", kWindowListView), ElementsAre("1A2B", "4D"));
  EXPECT_THAT(kit.Row("main", kWindowListView, 1),
              ElementsAre("4D", "firefox", "Start Page", "firefox"));
  EXPECT_THAT(kit.Faults(), IsEmpty());
}

}  // namespace
}  // namespace quorbel::ui

#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/MainEvents.h"
#include "platform/memory/MemoryDesktop.h"
#include "tests/unit/app/RecordingOperations.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowIds.h"

namespace quorbel {

// The main window laid out on the in-memory toolkit, in front on the desktop,
// with its events going to the dispatcher and the operations recorded.
class MainEventsTest : public ::testing::Test {
 protected:
  MainEventsTest() {
    kit.SetCallbacks(
        [this](const std::string&) { ui::LayOutMainWindow(kit, catalogue, state.selection); },
        [this](ui::Event& event) {
          if (event.form == ui::kMainForm) events.MainEvent(event);
        });
    ui::CreateMainWindow(kit, "");
    state.windows.MainWindowHandle = kit.Handle("main");
    desktop.SetForeground(kit.Handle("main"));
  }

  // Sends one event and returns the operations it started.
  std::vector<std::string> Send(int id, int code = ui::kClick, int value = 0) {
    ops.calls.clear();
    kit.Send("main", id, code, value);
    return ops.calls;
  }

  void OtherWindowInFront() { desktop.SetForeground(0x9999); }

  ui::MemoryToolkit kit;
  MemoryDesktop desktop;
  ProgramState state;
  ControlCatalogue catalogue;
  RecordingOperations ops;
  std::filesystem::path folder = std::filesystem::temp_directory_path();
  // The user guide the program was installed with; no file until a test writes one.
  std::filesystem::path guide = std::filesystem::temp_directory_path() /
                                ("quorbel-guide-" + std::to_string(::getpid()) + ".html");
  MainEvents events{kit, desktop, state, catalogue, ops, [this] { return folder; }, guide};
};

}  // namespace quorbel

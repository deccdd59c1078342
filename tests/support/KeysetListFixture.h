#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "keysets/KeysetModel.h"
#include "keysets/TargetProgram.h"
#include "keysets/WindowList.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryUiRequests.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetListView.h"

namespace quorbel {

inline constexpr int kKeysetListId = 410;

// A main window with its keyset list, a desktop of windows and the keyset
// model, wired to identification. The main window's event handler only
// records what it is sent.
class KeysetListFixture : public ::testing::Test {
 protected:
  KeysetListFixture() {
    toolkit.CreateForm("MAIN", "", "QuorbelU", ui::Rect{0, 0, 126.875, 32.4375}, "_C", 15, 32);
    ui::ControlDefinition list;
    list.kind = ui::ControlKind::ComboBox;
    list.id = kKeysetListId;
    toolkit.AddControl("MAIN", list);
  }

  void SetKeysets(std::initializer_list<std::string> names) {
    toolkit.ClearItems("MAIN", kKeysetListId);
    std::string items;
    for (const std::string& name : names) items += name + "|";
    toolkit.AddItems("MAIN", kKeysetListId, items);
    toolkit.SelectItem("MAIN", kKeysetListId, 0);
    // As the main window does after each of its events.
    target.CopyKeysetList();
  }

  // A window of a program: process id = window id.
  void AddProgramWindow(WindowId window, const std::string& executable,
                        const std::string& title = "Untitled",
                        const std::string& windowClass = "Main") {
    const int processId = static_cast<int>(window);
    desktop.AddWindow(window, title, windowClass, processId);
    desktop.SetExecutable(processId, executable);
  }

  MemoryDesktop desktop;
  WindowList windows{desktop};
  KeysetModel keysets;
  ui::MemoryToolkit toolkit;
  MemoryUiRequests requests;
  std::vector<ui::Event> mainEvents;
  ui::KeysetListView listed{toolkit};
  TargetProgram target{windows,  keysets,
                       toolkit,  listed,
                       requests, [this](ui::Event& event) { mainEvents.push_back(event); }};
};

}  // namespace quorbel

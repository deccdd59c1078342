#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/PortMenu.h"
#include "keysets/KeysetModel.h"
#include "tests/unit/device/LinkFakes.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetListView.h"

namespace quorbel {

// The whole link on in-memory parts: a main window with the Preferences menu
// items and the keyset list, a surface on the far end of the port, a fake
// device thread and a fake clock.
class LinkTest : public ::testing::Test {
 protected:
  static constexpr int kPreferencesMenu = 1600;
  static constexpr int kKeysetList = 410;

  LinkTest() {
    toolkit.CreateForm("MAIN", "", "QuorbelU", {}, "_C", 15, 32);
    toolkit.AddMenuTitle("main", kPreferencesMenu, "&Preferences");
    for (int n = kFirstCommPort; n <= kLastCommPort; ++n) {
      toolkit.AddMenuItem("main", kPreferencesMenu, kComMenuBase + n, ComMenuText(n));
    }
    for (int rate : kBaudRates) {
      toolkit.AddMenuItem("main", kPreferencesMenu, BaudMenuId(rate), BaudMenuText(rate));
    }
    toolkit.AddControl("main", {ui::ControlKind::ComboBox, kKeysetList, {}, "", "", -1, -1, -1});
    toolkit.AddItems("main", kKeysetList, "Default|Cubase");
    toolkit.SelectItem("main", kKeysetList, 1);
  }

  // Bytes the program wrote, one entry per write, and the runner's steps.
  std::vector<std::string> Sent() const { return journal.Kinds(); }
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const auto& e : journal.entries) {
      if (e.what == "write") writes.push_back(LinkJournal::Hex(e.bytes));
    }
    return writes;
  }
  int CountOf(const std::string& entry) const {
    int count = 0;
    for (const std::string& s : Sent()) count += s == entry ? 1 : 0;
    return count;
  }

  // The writes of a display text: position, then one message per character.
  static std::vector<std::string> DisplayWrites(const std::string& text, std::uint8_t position) {
    std::vector<std::string> writes = {LinkJournal::Hex({0xBF, 0x14, position})};
    for (char c : text)
      writes.push_back(LinkJournal::Hex({0xBF, 0x15, static_cast<std::uint8_t>(c)}));
    return writes;
  }
  static std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  }
  // Configuration, greeting, layer line of layer 0 and the closing messages.
  static std::vector<std::string> InitialisationWrites() {
    return Join({{"F0 7D 25 02 01 01 00 00 F7"},
                 DisplayWrites("Brenlow Electronics Quorbel Series", 2),
                 DisplayWrites("Current Keyset Layer 1", 72),
                 {"BF 13 14", "BF 67 00"},
                 std::vector<std::string>(8, "BF 68 7D")});
  }

  bool AnyPortMarkChecked() const {
    for (int id = kFirstComMenuId; id <= kLastBaudMenuId; ++id) {
      if (toolkit.MenuChecked("main", id)) return true;
    }
    return false;
  }

  std::string Caption() const { return toolkit.Caption("main"); }

  ui::MemoryToolkit toolkit;
  ui::WindowState windows;
  ScriptedClock clock;
  MemorySerialPort memory;
  LinkJournal journal;
  ScriptedPort port{memory, journal, clock};
  FakeRunner runner{port, journal};
  LinkSettings settings;
  KeysetModel keysets;
  ui::KeysetListView listed{toolkit};
  DeviceLink link{port, runner, toolkit, listed, windows, clock, settings, keysets};
};

}  // namespace quorbel

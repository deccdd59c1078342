#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/Types.h"
#include "platform/Desktop.h"
#include "tests/integration/x11/ChildProcess.h"
#include "tests/support/TempFolder.h"

namespace quorbel::testing {

// A folder of its own for one run of the program: its preferences, keysets,
// port links and single-instance lock live there. Removed when it goes away.
class ProgramFolder {
 public:
  const std::filesystem::path& path() const { return folder_.Path(); }
  void WritePreferences(int port, int baudRate) const;
  // `count` keyset files, "Default" among them, each a full keyset image.
  void AddKeysets(int count) const;

 private:
  TempFolder folder_{"quorbelu-run-"};
};

// The simulated surface on "Com 1" of the folder, ready when this returns.
std::unique_ptr<ChildProcess> StartSurface(const ProgramFolder& folder);

// A keyset file in the folder whose control `control` plays `key` with the
// modifier bits `modifiers` and `delay` ticks in its first layer.
void WriteKeyset(const ProgramFolder& folder, const std::string& name, int control, int key,
                 int modifiers, int delay = 0);

// QuorbelU started in the folder on the display, with the folder as its
// private runtime folder so that runs never see each other's instance lock.
std::unique_ptr<ChildProcess> StartProgram(const ProgramFolder& folder, const std::string& display);

// The first top-level window of process `pid` whose title satisfies
// `wanted`; 0 when none appeared in time.
WindowId WaitForWindow(Desktop& desktop, int pid,
                       const std::function<bool(const std::string&)>& wanted,
                       std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace quorbel::testing

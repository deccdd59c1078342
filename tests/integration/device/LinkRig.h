#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/SelectionState.h"
#include "device/DeviceLink.h"
#include "device/DeviceThread.h"
#include "keysets/KeysetModel.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryUiRequests.h"
#include "tests/integration/device/CountingPortWaiter.h"
#include "tests/integration/device/WatchedLinuxParts.h"
#include "tests/support/RecordingActions.h"
#include "tests/support/SurfaceProcess.h"
#include "tests/support/TempFolder.h"
#include "toolkit/WindowState.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/KeysetListView.h"

namespace quorbel::testing {

// The whole device link on the real serial port, clock and poll() waiter,
// with the real device thread, against the simulated surface running as its
// own program on a pseudo-terminal. The main window is the in-memory
// toolkit's; another program's window is in front. The thread that makes the
// rig is the GUI thread: it serves the device thread's requests in Await().
class LinkRig {
 public:
  // The surface on port `port`, answering and logging what it receives.
  explicit LinkRig(int port);
  ~LinkRig();
  LinkRig(const LinkRig&) = delete;
  LinkRig& operator=(const LinkRig&) = delete;

  // Serves the device thread's requests until `done` holds; false when it
  // still did not after `timeout`.
  bool Await(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Serves requests for a while, as the window system's delays do.
  void ServeFor(std::chrono::milliseconds duration);

  // Waits until everything the program has written so far has reached the
  // surface and been logged: a marker that the test writes behind it has
  // arrived (or, with the port closed, the surface has answered a command).
  // Returns the surface's line count then.
  std::size_t Settle();
  // What the surface has received from the program since its line `from`,
  // up to now; the markers are left out.
  std::vector<std::string> ReceivedSince(std::size_t from);

  // The surface sends a message and the device thread has taken it: it has
  // read every byte of it, handled them and sits waiting again.
  void SurfaceSends(const std::string& command);

  std::string Caption() const { return toolkit.Caption("main"); }
  bool AnyPortMarkChecked() const;

  WorkingFolder folder{"quorbel-link-"};
  MemoryUiRequests ui;
  ui::MemoryToolkit toolkit;
  WatchedClock clock;
  WatchedPort port;
  CountingPortWaiter waiter{[this] { ui.Wake(); }};
  MemoryDesktop desktop;
  SelectionState selection;
  ui::WindowState windows;
  RecordingActions actions{ui, selection, desktop};
  KeysetModel keysets;
  LinkSettings settings;
  DeviceContext context{port, clock, desktop, ui, actions, selection, windows};
  DeviceThread thread{context, waiter};
  ui::KeysetListView listed{toolkit};
  DeviceLink link{port, thread, toolkit, listed, windows, clock, settings, keysets};
  std::unique_ptr<SurfaceProcess> surface;
};

}  // namespace quorbel::testing

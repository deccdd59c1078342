#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "common/SelectionState.h"
#include "device/DeviceContext.h"
#include "device/SurfaceActions.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemorySerialPort.h"
#include "platform/memory/MemoryUiRequests.h"
#include "tests/support/RecordingActions.h"
#include "toolkit/WindowState.h"

namespace quorbel::testing {

// GUI-thread requests that also tell the test when the device thread has
// asked for one, so a test can act while the thread waits on the GUI thread.
class WatchedUiRequests : public UiRequests {
 public:
  void Run(const std::function<void()>& request) override;
  void Post(std::function<void()> request) override;
  void CatchUp() override { inner_.CatchUp(); }
  void HoldPosts() override { inner_.HoldPosts(); }
  void ReleasePosts() override { inner_.ReleasePosts(); }
  void ServeUntil(const std::function<bool()>& done) override { inner_.ServeUntil(done); }
  void Wake() override { inner_.Wake(); }
  void OutsideRequests(std::function<void()> work) override {
    inner_.OutsideRequests(std::move(work));
  }

  // Blocks the test until the device thread has asked for `count` requests,
  // waited for or posted.
  void AwaitAsked(int count);

 private:
  MemoryUiRequests inner_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int asked_ = 0;
};

// A surface on an open port, the main window and one other program's window
// (in front), and the device thread's view of them.
struct DeviceRig {
  DeviceRig();

  // The surface sends these bytes.
  void Send(std::initializer_list<int> bytes);

  FakeClock clock;
  MemorySerialPort port;
  MemoryDesktop desktop;
  WatchedUiRequests ui;
  SelectionState selection;
  ui::WindowState windows;
  RecordingActions actions{ui, selection, desktop};
  DeviceContext context{port, clock, desktop, ui, actions, selection, windows};
};

}  // namespace quorbel::testing

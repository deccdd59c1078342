#include "DeviceRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorbel::testing {

void WatchedUiRequests::Run(const std::function<void()>& request) {
  if (!inner_.OnGuiThread()) {
    std::lock_guard lock(mutex_);
    ++asked_;
    changed_.notify_all();
  }
  inner_.Run(request);
}

void WatchedUiRequests::Post(std::function<void()> request) {
  if (!inner_.OnGuiThread()) {
    std::lock_guard lock(mutex_);
    ++asked_;
    changed_.notify_all();
  }
  inner_.Post(std::move(request));
}

void WatchedUiRequests::AwaitAsked(int count) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return asked_ >= count; });
}

void RecordingActions::SelectControlCommand(int commandId) {
  std::string entry = "select " + std::to_string(commandId);
  // The shuttle commands leave the position to the main window, in ShuttleStep.
  if (commandId == 1058 || commandId == 1074 || commandId == 1094) {
    entry += " at " + std::to_string(selection_.ShuttleStep.load());
  }
  Record(entry);
  if (onSelect_) onSelect_();
}

void RecordingActions::CapturePoint(int control, Point clientPoint) {
  const auto restored = desktop_.Restored();
  const bool mainRestored =
      std::find(restored.begin(), restored.end(), kMainWindow) != restored.end();
  Record("capture " + std::to_string(control) + " at " + std::to_string(clientPoint.x) + "," +
         std::to_string(clientPoint.y) + (mainRestored ? " after restoring" : ""));
}

void RecordingActions::Play(int control, WindowId target) {
  Record("play " + std::to_string(control) + " in " + std::to_string(target));
  std::unique_lock lock(mutex_);
  interrupted_.wait(lock, [this] { return !playUntilInterrupted_ || interrupt_; });
}

void RecordingActions::PlayUntilInterrupted() {
  std::lock_guard lock(mutex_);
  playUntilInterrupted_ = true;
}

void RecordingActions::Interrupt() {
  {
    std::lock_guard lock(mutex_);
    interrupt_ = true;
  }
  interrupted_.notify_all();
}

std::vector<std::string> RecordingActions::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

bool RecordingActions::Logged(const std::string& entry) const {
  std::lock_guard lock(mutex_);
  return std::find(log_.begin(), log_.end(), entry) != log_.end();
}

void RecordingActions::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

void RecordingActions::Record(const std::string& entry) {
  {
    std::lock_guard lock(mutex_);
    log_.push_back(entry);
  }
  // A test waiting in ServeUntil looks at its condition again.
  ui_.Wake();
}

DeviceRig::DeviceRig() {
  port.AddPort(1);
  EXPECT_TRUE(port.Open(1, 38400));
  desktop.AddWindow(kMainWindow, "Quorbel", "main", 10);
  desktop.AddWindow(kOtherWindow, "Editing", "target", 20);
  desktop.SetForeground(kOtherWindow);
  windows.MainWindowHandle = kMainWindow;
}

void DeviceRig::Send(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> raw;
  for (int b : bytes) raw.push_back(static_cast<std::uint8_t>(b));
  ASSERT_TRUE(port.SurfaceSend(raw));
}

}  // namespace quorbel::testing

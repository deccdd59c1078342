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

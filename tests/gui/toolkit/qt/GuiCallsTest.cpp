#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ToolkitFixture.h"
#include "tests/support/UiRequestsContract.h"
#include "ui/qt/QtUiRequests.h"

namespace quorbel::ui {
namespace {

TEST_F(ToolkitTest, AGuiThreadWaitingOnTheDeviceThreadServesItsRequests) {
  Add(ControlKind::Label, 435, Rect{81, 3.325, 15, 1.125});
  QtUiRequests requests(kit.Calls());
  std::atomic<bool> deviceDone{false};
  std::atomic<bool> ranOnGui{false};
  std::thread device([&] {
    // A request, then toolkit calls of its own, all while the GUI thread waits.
    requests.Run([&] { ranOnGui = kit.Calls().OnGuiThread(); });
    kit.SetText("main", 435, "Play");
    const std::string text = kit.Text("main", 435);
    deviceDone = text == "Play";
    requests.Wake();
  });
  requests.ServeUntil([&] { return deviceDone.load(); });
  device.join();
  EXPECT_TRUE(ranOnGui);
  EXPECT_TRUE(deviceDone);
}

TEST_F(ToolkitTest, RequestsRunAtOnceOnTheGuiThreadAndCarryFailuresBack) {
  QtUiRequests requests(kit.Calls());
  bool ran = false;
  requests.Run([&] { ran = true; });
  EXPECT_TRUE(ran);

  std::atomic<bool> caught{false};
  std::thread device([&] {
    try {
      requests.Run([] { throw std::runtime_error("failed"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
  });
  // The event loop serves other threads' requests too, here inside a delay.
  while (!caught) kit.Delay(0.005f);
  device.join();
  EXPECT_TRUE(caught);
}

// A stop of the device thread asked for in a nested event loop inside one of
// its requests waits for it: it must run once the request has returned.
TEST_F(ToolkitTest, WorkAskedForInsideARequestRunsAfterItAndMayWaitForItsThread) {
  QtUiRequests requests(kit.Calls());
  std::atomic<bool> deviceDone{false};
  bool ranInsideTheRequest = false;
  bool sawTheThreadEnd = false;
  std::thread device([&] {
    requests.Run([&] {
      kit.Delay(0.005f);
      requests.OutsideRequests([&] {
        requests.ServeUntil([&] { return deviceDone.load(); });
        sawTheThreadEnd = true;
      });
      ranInsideTheRequest = sawTheThreadEnd;
    });
    deviceDone = true;
    requests.Wake();
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!sawTheThreadEnd && std::chrono::steady_clock::now() < deadline) kit.Delay(0.005f);
  device.join();
  EXPECT_TRUE(sawTheThreadEnd);
  EXPECT_FALSE(ranInsideTheRequest);
  // Outside every request it runs at once.
  bool atOnce = false;
  requests.OutsideRequests([&] { atOnce = true; });
  EXPECT_TRUE(atOnce);
}

TEST_F(ToolkitTest, ADelayOffTheGuiThreadSleepsWithoutTheGuiThread) {
  // The GUI thread serves nothing while it joins: a delay that needed it would hang.
  const auto start = std::chrono::steady_clock::now();
  std::thread device([&] { kit.Delay(0.02f); });
  device.join();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(19));
}

// The GUI thread serves requests in Qt's event loop, a delay of the toolkit's
// at a time, as the program does.
struct QtCarrier {
  template <typename Done>
  void ServeUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < deadline) kit.Delay(0.002f);
  }
  void NestedLoop() { kit.Delay(0.005f); }

  QtToolkit kit;
  QtUiRequests requests{kit.Calls()};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, UiRequestsContract, QtCarrier);

}  // namespace
}  // namespace quorbel::ui

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ToolkitFixture.h"
#include "tests/support/UiRequestsContract.h"
#include "toolkit/qt/QtUiRequests.h"

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

// Serves the window's events (and so the device thread's requests) until
// `done` holds or a deadline has passed.
template <typename Done>
void ServeEventsUntil(QtToolkit& kit, Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done() && std::chrono::steady_clock::now() < deadline) kit.Delay(0.002f);
}

// While keys leave, posted requests wait without waking the GUI thread: its
// events go on being served, but a held request runs only once released,
// or when a waited-for request or a CatchUp() of the poster has to reach it,
// and then in the order asked for.
TEST_F(ToolkitTest, HeldPostsWaitForTheirReleaseOrForTheNextWaitedRequest) {
  QtUiRequests requests(kit.Calls());
  std::vector<int> order;  // touched only on the GUI thread
  std::atomic<bool> posted{false};
  std::atomic<bool> release{false};
  std::atomic<bool> finished{false};
  std::atomic<bool> caughtUpEarly{false};
  std::thread device([&] {
    requests.HoldPosts();
    requests.Post([&] { order.push_back(1); });
    posted = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!release && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    requests.ReleasePosts();

    requests.HoldPosts();
    requests.Post([&] { order.push_back(2); });
    requests.Run([&] { order.push_back(3); });
    requests.Post([&] { order.push_back(4); });
    requests.CatchUp();
    if (order.size() != 4) caughtUpEarly = true;
    requests.ReleasePosts();
    finished = true;
  });
  ServeEventsUntil(kit, [&] { return posted.load(); });
  for (int i = 0; i < 20; ++i) kit.Delay(0.002f);
  const bool ranWhileHeld = !order.empty();
  release = true;
  ServeEventsUntil(kit, [&] { return finished.load(); });
  device.join();
  EXPECT_FALSE(ranWhileHeld);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_FALSE(caughtUpEarly);
}

}  // namespace

// The GUI thread serves requests in Qt's event loop, a delay of the toolkit's
// at a time, as the program does.
struct QtCarrier {
  template <typename Done>
  void ServeUntil(Done done) {
    ServeEventsUntil(kit, done);
  }
  void NestedLoop() { kit.Delay(0.005f); }

  QtToolkit kit;
  QtUiRequests requests{kit.Calls()};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, UiRequestsContract, QtCarrier);

}  // namespace quorbel::ui

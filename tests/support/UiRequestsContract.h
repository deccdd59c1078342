#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace quorbel {

// What every carrier of the device thread's requests to the GUI thread keeps,
// whichever event loop serves them. A test instantiates it for its carrier, a
// type with:
//   requests          the UiRequests under test;
//   ServeUntil(done)  serves the GUI thread's events until done() holds or a
//                     deadline has passed;
//   NestedLoop()      what a nested event loop inside a request does there
//                     (a delay of the toolkit's; nothing where there is none).
template <typename Carrier>
class UiRequestsContract : public ::testing::Test {
 protected:
  Carrier carrier;
};

TYPED_TEST_SUITE_P(UiRequestsContract);

// Posted and waited-for requests run in the order they were asked for; a
// CatchUp() of the device thread returns only once all it posted has run.
TYPED_TEST_P(UiRequestsContract, PostedAndWaitedRequestsRunInOrderAndCatchUpWaitsForThePosted) {
  auto& requests = this->carrier.requests;
  std::vector<int> order;  // touched only on the GUI thread
  std::atomic<int> postedRun{0};
  std::atomic<bool> caughtUpEarly{false};
  std::atomic<bool> finished{false};
  std::thread device([&] {
    for (int round = 0; round < 50; ++round) {
      const int base = round * 4;
      requests.Post([&, base] {
        order.push_back(base);
        ++postedRun;
      });
      requests.Run([&, base] { order.push_back(base + 1); });
      requests.Post([&, base] {
        order.push_back(base + 2);
        ++postedRun;
      });
      requests.Post([&, base] {
        order.push_back(base + 3);
        ++postedRun;
      });
      requests.CatchUp();
      if (postedRun != (round + 1) * 3) caughtUpEarly = true;
    }
    finished = true;
    requests.Wake();
  });
  this->carrier.ServeUntil([&] { return finished.load(); });
  device.join();

  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_FALSE(caughtUpEarly);
}

// A posted request that waits for the device thread (serving its requests
// meanwhile) is not waited for by that thread's CatchUp(): the two would
// wait on each other. What is posted inside that wait still is.
TYPED_TEST_P(UiRequestsContract, CatchUpDoesNotWaitForAPostedRequestThatWaitsForTheCaller) {
  auto& requests = this->carrier.requests;
  std::atomic<bool> deviceDone{false};
  std::atomic<bool> innerRun{false};
  std::atomic<bool> innerMissed{false};
  std::atomic<bool> waiting{false};
  bool outerWaitEnded = false;
  std::thread device([&] {
    requests.Post([&] {
      waiting = true;
      requests.ServeUntil([&] { return deviceDone.load(); });
      outerWaitEnded = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!waiting && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    requests.CatchUp();
    requests.Post([&] { innerRun = true; });
    requests.CatchUp();
    if (!innerRun) innerMissed = true;
    deviceDone = true;
    requests.Wake();
    // Now the posted request can end, and is waited for again.
    requests.CatchUp();
  });
  this->carrier.ServeUntil([&] { return outerWaitEnded; });
  device.join();
  EXPECT_TRUE(outerWaitEnded);
  EXPECT_FALSE(innerMissed);
}

// A stop asked for inside a posted request (a nested event loop there served
// the event that asks for it) waits for the device thread: it runs only once
// the request has returned, and the device thread's CatchUp() returns then.
TYPED_TEST_P(UiRequestsContract, AStopAskedInsideAPostedRequestRunsOnceItHasReturned) {
  auto& requests = this->carrier.requests;
  std::atomic<bool> deviceDone{false};
  bool stopRanInside = false;
  bool stopped = false;
  std::thread device([&] {
    requests.Post([&] {
      this->carrier.NestedLoop();
      requests.OutsideRequests([&] {
        requests.ServeUntil([&] { return deviceDone.load(); });
        stopped = true;
      });
      stopRanInside = stopped;
    });
    requests.CatchUp();
    deviceDone = true;
    requests.Wake();
  });
  this->carrier.ServeUntil([&] { return stopped; });
  device.join();
  EXPECT_TRUE(stopped);
  EXPECT_FALSE(stopRanInside);
}

REGISTER_TYPED_TEST_SUITE_P(UiRequestsContract,
                            PostedAndWaitedRequestsRunInOrderAndCatchUpWaitsForThePosted,
                            CatchUpDoesNotWaitForAPostedRequestThatWaitsForTheCaller,
                            AStopAskedInsideAPostedRequestRunsOnceItHasReturned);

}  // namespace quorbel

#include "platform/memory/MemoryUiRequests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quorbel {
namespace {

// Work asked for inside a request (in a nested event loop there) runs once
// the request has returned, so it may wait for the requesting thread; what
// a request throws reaches the thread that asked for it.
TEST(MemoryUiRequests, WorkAskedForInsideARequestRunsAfterItAndFailuresGoBack) {
  MemoryUiRequests requests;
  std::atomic<bool> deviceDone{false};
  std::atomic<bool> failureCame{false};
  bool ranInsideTheRequest = false;
  bool sawTheThreadEnd = false;
  std::thread device([&] {
    requests.Run([&] {
      requests.OutsideRequests([&] {
        requests.ServeUntil([&] { return deviceDone.load(); });
        sawTheThreadEnd = true;
      });
      ranInsideTheRequest = sawTheThreadEnd;
    });
    try {
      requests.Run([] { throw std::runtime_error("failed"); });
    } catch (const std::runtime_error&) {
      failureCame = true;
    }
    deviceDone = true;
    requests.Wake();
  });
  requests.ServeUntil([&] { return sawTheThreadEnd; });
  device.join();
  EXPECT_FALSE(ranInsideTheRequest);
  EXPECT_TRUE(failureCame);
  bool atOnce = false;
  requests.OutsideRequests([&] { atOnce = true; });
  EXPECT_TRUE(atOnce);
}

TEST(MemoryUiRequests, TheGuiThreadRunsItsOwnRequestsAtOnce) {
  MemoryUiRequests requests;
  int runs = 0;
  requests.Run([&] { ++runs; });
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(requests.Pending(), 0u);
}

TEST(MemoryUiRequests, RequestsRunOnTheGuiThreadInOrderEachFinishedBeforeTheNext) {
  MemoryUiRequests requests;
  const auto gui = std::this_thread::get_id();
  std::vector<int> order;  // touched only on the GUI thread
  std::atomic<bool> wrongThread{false};
  std::atomic<bool> sawUnfinished{false};
  std::atomic<bool> finished{false};

  std::thread device([&] {
    for (int i = 0; i < 200; ++i) {
      requests.Run([&, i] {
        if (std::this_thread::get_id() != gui) wrongThread = true;
        order.push_back(i);
      });
      // Run has returned only after the request ran.
      if (order.size() != static_cast<std::size_t>(i) + 1) sawUnfinished = true;
    }
    finished = true;
    requests.Wake();
  });
  requests.ServeUntil([&] { return finished.load(); });
  device.join();

  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_FALSE(wrongThread);
  EXPECT_FALSE(sawUnfinished);
}

TEST(MemoryUiRequests, WaitingOnAThreadThatKeepsCallingDoesNotDeadlock) {
  MemoryUiRequests requests;
  std::atomic<bool> stop{false};
  std::atomic<int> served{0};
  std::thread device([&] {
    while (!stop) requests.Run([&] { ++served; });
  });
  requests.ServeUntil([&] { return served >= 1000; });
  stop = true;
  // The thread may be inside Run again: keep serving while it winds down.
  std::atomic<bool> ended{false};
  std::thread joiner([&] {
    device.join();
    ended = true;
    requests.Wake();
  });
  requests.ServeUntil([&] { return ended.load(); });
  joiner.join();
  EXPECT_GE(served, 1000);
}

TEST(MemoryUiRequests, ServePendingRunsWhatIsQueuedAndReleasesTheCaller) {
  MemoryUiRequests requests;
  int value = 0;
  std::thread device([&] { requests.Run([&] { value = 7; }); });
  while (requests.Pending() == 0) std::this_thread::yield();
  EXPECT_EQ(requests.ServePending(), 1u);
  device.join();
  EXPECT_EQ(value, 7);
  EXPECT_EQ(requests.ServePending(), 0u);
}

// Posted and waited-for requests run in the order they were asked for; a
// CatchUp() of the device thread returns only once all it posted has run.
TEST(MemoryUiRequests, PostedAndWaitedRequestsRunInOrderAndCatchUpWaitsForThePosted) {
  MemoryUiRequests requests;
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
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  requests.ServeUntil(
      [&] { return finished.load() || std::chrono::steady_clock::now() > deadline; });
  device.join();

  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_FALSE(caughtUpEarly);
}

// A posted request that waits for the device thread (serving its requests
// meanwhile) is not waited for by that thread's CatchUp(): the two would
// wait on each other. What is posted inside that wait still is.
TEST(MemoryUiRequests, CatchUpDoesNotWaitForAPostedRequestThatWaitsForTheCaller) {
  MemoryUiRequests requests;
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
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  requests.ServeUntil(
      [&] { return outerWaitEnded || std::chrono::steady_clock::now() > deadline; });
  device.join();
  EXPECT_TRUE(outerWaitEnded);
  EXPECT_FALSE(innerMissed);
}

// A stop asked for inside a posted request (its nested wait served the
// event that asks for it) waits for the device thread: it runs only once
// the request has returned, and the device thread's CatchUp() returns then.
TEST(MemoryUiRequests, AStopAskedInsideAPostedRequestRunsOnceItHasReturned) {
  MemoryUiRequests requests;
  std::atomic<bool> deviceDone{false};
  bool stopRanInside = false;
  bool stopped = false;
  std::thread device([&] {
    requests.Post([&] {
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
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  requests.ServeUntil([&] { return stopped || std::chrono::steady_clock::now() > deadline; });
  device.join();
  EXPECT_TRUE(stopped);
  EXPECT_FALSE(stopRanInside);
}

}  // namespace
}  // namespace quorbel

#include "platform/memory/MemoryUiRequests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tests/support/UiRequestsContract.h"

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

}  // namespace

// The GUI thread serves requests in ServeUntil, as the program's main window
// does while it waits for the device thread.
struct MemoryCarrier {
  template <typename Done>
  void ServeUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    requests.ServeUntil([&] { return done() || std::chrono::steady_clock::now() > deadline; });
  }
  void NestedLoop() {}

  MemoryUiRequests requests;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, UiRequestsContract, MemoryCarrier);

}  // namespace quorbel

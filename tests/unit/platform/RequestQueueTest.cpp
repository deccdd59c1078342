#include "platform/RequestQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quorbel {
namespace {

// A queue whose window system only counts the wake-ups; the test plays the
// GUI thread's event loop by serving the queue itself.
class CountingQueue : public RequestQueue {
 public:
  CountingQueue() : RequestQueue([this] { ++wakeUps; }) {}
  using RequestQueue::Close;

  std::atomic<int> wakeUps{0};
};

void OnOtherThread(const std::function<void()>& work) {
  std::thread other(work);
  other.join();
}

// The event loop is asked to serve for each post, but not while posts are
// held; their release asks once for all of them, and a waited-for call asks
// for the held ones queued before it, which run first.
TEST(RequestQueue, TheEventLoopIsWokenForEveryQueueingButHeldPosts) {
  CountingQueue queue;
  std::vector<std::string> order;  // touched only on this, the GUI thread
  OnOtherThread([&] {
    queue.HoldPosts();
    queue.Post([&] { order.push_back("held 1"); });
    queue.Post([&] { order.push_back("held 2"); });
  });
  EXPECT_EQ(queue.wakeUps, 0);
  OnOtherThread([&] { queue.ReleasePosts(); });
  EXPECT_EQ(queue.wakeUps, 1);
  OnOtherThread([&] { queue.Post([&] { order.push_back("free"); }); });
  EXPECT_EQ(queue.wakeUps, 2);
  EXPECT_EQ(queue.ServePending(), 3u);

  std::atomic<bool> called{false};
  std::thread device([&] {
    queue.HoldPosts();
    queue.Post([&] { order.push_back("held 3"); });
    queue.Call([&] { order.push_back("call"); });
    called = true;
    queue.Wake();
    queue.ReleasePosts();
  });
  queue.ServeUntil([&] { return called.load(); });
  device.join();
  EXPECT_EQ(queue.wakeUps, 3);
  EXPECT_EQ(order, (std::vector<std::string>{"held 1", "held 2", "free", "held 3", "call"}));
}

// What a posted work throws goes up the GUI thread from the serving that ran
// it; the works queued behind it stay queued for the next one.
TEST(RequestQueue, APostedFailureComesOutOfTheServingAndLosesNoLaterWork) {
  CountingQueue queue;
  int ran = 0;
  OnOtherThread([&] {
    queue.Post([] { throw std::logic_error("posted"); });
    queue.Post([&] { ++ran; });
  });
  EXPECT_THROW(queue.ServePending(), std::logic_error);
  EXPECT_EQ(ran, 0);
  EXPECT_EQ(queue.ServePending(), 1u);
  EXPECT_EQ(ran, 1);
}

// When the GUI thread goes, a caller still waiting is let go with a failure
// instead of waiting for ever, its work never runs, and the event loop that
// is gone is not woken again.
TEST(RequestQueue, ClosingLetsTheWaitingCallersGoAndWakesNoMore) {
  CountingQueue queue;
  std::atomic<bool> ran{false};
  std::string failure;
  std::thread device([&] {
    try {
      queue.Call([&] { ran = true; });
    } catch (const std::runtime_error& error) {
      failure = error.what();
    }
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (queue.wakeUps == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(queue.wakeUps, 1);
  queue.Close();
  device.join();
  EXPECT_FALSE(ran);
  EXPECT_EQ(failure, "the GUI thread has ended");

  OnOtherThread([&] { queue.Post([&] { ran = true; }); });
  EXPECT_EQ(queue.wakeUps, 1);
}

}  // namespace
}  // namespace quorbel

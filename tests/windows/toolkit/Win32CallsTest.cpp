#include "toolkit/win32/Win32Calls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "MessagePump.h"
#include "tests/support/UiRequestsContract.h"
#include "toolkit/win32/Win32UiRequests.h"

namespace quorbel::ui {
namespace {

// The device thread's requests reach a GUI thread that sits in its message
// loop (the program's, or a message box's): the wake-up is a window message.
// A failure of a waited-for request reaches its caller; one of a posted
// request comes out of the loop that served it, after the message.
TEST(Win32Calls, TheMessageLoopServesRequestsAndFailuresGoWhereTheyBelong) {
  Win32Calls calls;
  Win32UiRequests requests(calls);
  std::atomic<bool> ranOnGui{false};
  std::atomic<bool> caught{false};
  std::atomic<bool> finished{false};
  std::thread device([&] {
    requests.Run([&] { ranOnGui = calls.OnGuiThread(); });
    try {
      requests.Run([] { throw std::runtime_error("failed"); });
    } catch (const std::runtime_error&) {
      caught = true;
    }
    requests.Post([] { throw std::logic_error("posted"); });
    requests.CatchUp();
    finished = true;
  });
  bool postedFailureCame = false;
  PumpMessagesUntil([&] { return finished.load() && postedFailureCame; },
                    [&] {
                      try {
                        calls.RethrowPostedFailure();
                      } catch (const std::logic_error&) {
                        postedFailureCame = true;
                      }
                    });
  device.join();
  EXPECT_TRUE(ranOnGui);
  EXPECT_TRUE(caught);
  EXPECT_TRUE(postedFailureCame);
}

// Many posts wake the GUI thread with few messages, and none is lost: a post
// that comes while the wake-up message is being served gets one of its own.
TEST(Win32Calls, ABurstOfPostsIsServedWholeByTheMessageLoop) {
  Win32Calls calls;
  std::vector<int> order;  // touched only on the GUI thread
  std::atomic<bool> posted{false};
  std::thread device([&] {
    for (int i = 0; i < 20000; ++i) calls.Post([&order, i] { order.push_back(i); });
    posted = true;
  });
  PumpMessagesUntil([&] { return posted.load() && order.size() == 20000u; });
  device.join();
  ASSERT_EQ(order.size(), 20000u);
  for (int i = 0; i < 20000; ++i) ASSERT_EQ(order[static_cast<std::size_t>(i)], i);
}

// Held posts wait; the message loop does not run them until they are let go.
TEST(Win32Calls, HeldPostsWaitForTheirRelease) {
  Win32Calls calls;
  std::vector<int> order;
  std::atomic<int> step{0};
  std::thread device([&] {
    calls.HoldPosts();
    calls.Post([&] { order.push_back(1); });
    calls.Post([&] { order.push_back(2); });
    step = 1;
    while (step != 2) std::this_thread::yield();
    calls.ReleasePosts();
    calls.CatchUp();
    step = 3;
  });
  PumpMessagesUntil([&] { return step.load() == 1; });
  // A few more turns of the loop: nothing held may run.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
  PumpMessagesUntil([&] { return std::chrono::steady_clock::now() > until; });
  const bool ranWhileHeld = !order.empty();
  step = 2;
  PumpMessagesUntil([&] { return step.load() == 3; });
  device.join();
  EXPECT_FALSE(ranWhileHeld);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

}  // namespace

// The GUI thread serves requests in its message loop, as the program does.
struct Win32Carrier {
  template <typename Done>
  void ServeUntil(Done done) {
    PumpMessagesUntil(done);
  }
  // A nested message loop inside a request, as a delay of the toolkit's runs.
  void NestedLoop() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(5);
    PumpMessagesUntil([&] { return std::chrono::steady_clock::now() > until; });
  }

  Win32Calls calls;
  Win32UiRequests requests{calls};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, UiRequestsContract, Win32Carrier);

}  // namespace quorbel::ui

#pragma once

#include <functional>
#include <utility>

#include "platform/UiRequests.h"
#include "toolkit/qt/GuiCalls.h"

namespace quorbel::ui {

// The device thread's requests to the GUI thread, carried by the toolkit's
// blocking calls: a request runs on the GUI thread while the device thread
// waits. While the GUI thread waits in ServeUntil it serves these requests,
// and the toolkit calls of other threads, but no window events.
class QtUiRequests : public UiRequests {
 public:
  explicit QtUiRequests(GuiCalls& calls) : calls_(calls) {}

  void Run(const std::function<void()>& request) override { calls_.Call(request); }
  void Post(std::function<void()> request) override { calls_.Post(std::move(request)); }
  void CatchUp() override { calls_.CatchUp(); }
  void HoldPosts() override { calls_.HoldPosts(); }
  void ReleasePosts() override { calls_.ReleasePosts(); }
  void ServeUntil(const std::function<bool()>& done) override { calls_.ServeUntil(done); }
  void Wake() override { calls_.Wake(); }
  void OutsideRequests(std::function<void()> work) override {
    calls_.OutsideCalls(std::move(work));
  }

 private:
  GuiCalls& calls_;
};

}  // namespace quorbel::ui

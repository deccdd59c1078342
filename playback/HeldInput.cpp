#include "playback/HeldInput.h"

#include <algorithm>

namespace quorbel {

namespace {

// A step holds at most four modifiers and its key; room for more keeps the
// ledger from allocating while keys are played.
constexpr std::size_t kLedgerRoom = 16;

}  // namespace

HeldInput::HeldInput(Input& input) : input_(input) { held_.reserve(kLedgerRoom); }

void HeldInput::KeyDown(int virtualKey) {
  std::lock_guard lock(mutex_);
  input_.KeyDown(virtualKey);
  held_.push_back(virtualKey);
}

void HeldInput::KeyUp(int virtualKey) {
  std::lock_guard lock(mutex_);
  const auto found = std::find(held_.rbegin(), held_.rend(), virtualKey);
  if (found == held_.rend()) return;
  held_.erase(std::next(found).base());
  input_.KeyUp(virtualKey);
}

void HeldInput::Click(MouseButton button) {
  std::lock_guard lock(mutex_);
  input_.Click(button);
}

void HeldInput::SetCursor(Point screen) {
  std::lock_guard lock(mutex_);
  input_.SetCursor(screen);
}

Point HeldInput::ClientToScreen(WindowId window, Point client) {
  std::lock_guard lock(mutex_);
  return input_.ClientToScreen(window, client);
}

void HeldInput::ReleaseAll() {
  std::lock_guard lock(mutex_);
  while (!held_.empty()) {
    const int key = held_.back();
    held_.pop_back();
    input_.KeyUp(key);
  }
}

std::vector<int> HeldInput::Held() const {
  std::lock_guard lock(mutex_);
  return held_;
}

}  // namespace quorbel

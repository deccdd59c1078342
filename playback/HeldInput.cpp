#include "playback/HeldInput.h"

#include <algorithm>

namespace quorbel {

namespace {

// A step holds at most four modifiers and its key; room for more keeps the
// ledger from allocating while keys are played.
constexpr std::size_t kLedgerRoom = 16;

}  // namespace

HeldInput::HeldInput(Input& input) : input_(input) { held_.reserve(kLedgerRoom); }

void HeldInput::PrepareKeys() {
  std::lock_guard lock(mutex_);
  input_.PrepareKeys();
}

void HeldInput::KeyDown(int virtualKey) {
  std::lock_guard lock(mutex_);
  input_.KeyDown(virtualKey);
  held_.push_back(HeldKey{virtualKey, false});
}

void HeldInput::KeyUp(int virtualKey) {
  std::lock_guard lock(mutex_);
  if (Forget(HeldKey{virtualKey, false})) input_.KeyUp(virtualKey);
}

void HeldInput::CharacterDown(char32_t character) {
  std::lock_guard lock(mutex_);
  input_.CharacterDown(character);
  held_.push_back(HeldKey{static_cast<int>(character), true});
}

void HeldInput::CharacterUp(char32_t character) {
  std::lock_guard lock(mutex_);
  if (Forget(HeldKey{static_cast<int>(character), true})) input_.CharacterUp(character);
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
    const HeldKey key = held_.back();
    held_.pop_back();
    Release(key);
  }
}

std::vector<HeldKey> HeldInput::Held() const {
  std::lock_guard lock(mutex_);
  return held_;
}

bool HeldInput::Forget(HeldKey key) {
  const auto found = std::find(held_.rbegin(), held_.rend(), key);
  if (found == held_.rend()) return false;
  held_.erase(std::next(found).base());
  return true;
}

void HeldInput::Release(HeldKey key) {
  if (key.character) {
    input_.CharacterUp(static_cast<char32_t>(key.code));
  } else {
    input_.KeyUp(key.code);
  }
}

}  // namespace quorbel

#include "tests/support/RecordingActions.h"

#include <algorithm>
#include <iterator>

namespace quorbel::testing {

void RecordingActions::SelectControlCommand(int commandId) {
  std::string entry = "select " + std::to_string(commandId);
  // The shuttle commands leave the position to the main window, in ShuttleStep.
  if (commandId == 1058 || commandId == 1074 || commandId == 1094) {
    entry += " at " + std::to_string(selection_.ShuttleStep.load());
  }
  Record(entry);
  if (onSelect_) onSelect_();
}

void RecordingActions::CapturePoint(int control, Point clientPoint) {
  const auto restored = desktop_.Restored();
  const bool mainRestored =
      std::find(restored.begin(), restored.end(), kMainWindow) != restored.end();
  Record("capture " + std::to_string(control) + " at " + std::to_string(clientPoint.x) + "," +
         std::to_string(clientPoint.y) + (mainRestored ? " after restoring" : ""));
}

void RecordingActions::Play(int control, WindowId target) {
  Record("play " + std::to_string(control) + " in " + std::to_string(target));
  std::unique_lock lock(mutex_);
  interrupted_.wait(lock, [this] { return !playUntilInterrupted_ || interrupt_; });
}

void RecordingActions::PlayUntilInterrupted() {
  std::lock_guard lock(mutex_);
  playUntilInterrupted_ = true;
}

void RecordingActions::Interrupt() {
  {
    std::lock_guard lock(mutex_);
    interrupt_ = true;
  }
  interrupted_.notify_all();
}

std::vector<std::string> RecordingActions::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

bool RecordingActions::Logged(const std::string& entry) const {
  std::lock_guard lock(mutex_);
  return std::find(log_.begin(), log_.end(), entry) != log_.end();
}

std::vector<std::string> RecordingActions::Entries(const std::string& prefix) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> found;
  std::copy_if(log_.begin(), log_.end(), std::back_inserter(found),
               [&](const std::string& entry) { return entry.starts_with(prefix); });
  return found;
}

int RecordingActions::Count(const std::string& entry) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count(log_.begin(), log_.end(), entry));
}

void RecordingActions::Clear() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

void RecordingActions::Record(const std::string& entry) {
  {
    std::lock_guard lock(mutex_);
    log_.push_back(entry);
  }
  // A test waiting in ServeUntil looks at its condition again.
  ui_.Wake();
}

}  // namespace quorbel::testing

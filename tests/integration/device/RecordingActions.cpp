#include "tests/integration/device/RecordingActions.h"

#include <algorithm>

namespace quorbel::testing {

void RecordingActions::SelectControlCommand(int commandId) {
  std::string entry = "select " + std::to_string(commandId);
  if (commandId == 1058 || commandId == 1074 || commandId == 1094) {
    entry += " at " + std::to_string(selection_.ShuttleStep.load());
  }
  Record(entry);
}

void RecordingActions::CapturePoint(int control, Point clientPoint) {
  Record("capture " + std::to_string(control) + " at " + std::to_string(clientPoint.x) + "," +
         std::to_string(clientPoint.y));
}

void RecordingActions::Play(int control, WindowId) { Record("play " + std::to_string(control)); }

std::vector<std::string> RecordingActions::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
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
  ui_.Wake();
}

}  // namespace quorbel::testing

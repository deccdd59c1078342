#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "common/SelectionState.h"
#include "device/SurfaceActions.h"
#include "platform/UiRequests.h"

namespace quorbel::testing {

// Writes down, as text, what the device thread asks of the program:
// "select 1005", "select 1094 at 3" (shuttle commands carry ShuttleStep),
// "play 5", "reset wheels", "light shuttle lamps". Every entry wakes the GUI
// thread's wait, so a test can wait for it.
class RecordingActions : public SurfaceActions {
 public:
  RecordingActions(UiRequests& ui, const SelectionState& selection)
      : ui_(ui), selection_(selection) {}

  void SelectControlCommand(int commandId) override;
  bool CaptureMode() override { return false; }
  void CapturePoint(int control, Point clientPoint) override;
  void ResetWheelIndicators() override { Record("reset wheels"); }
  void LightBothShuttleLamps() override { Record("light shuttle lamps"); }
  void Play(int control, WindowId target) override;

  std::vector<std::string> Log() const;
  // The entries that start with `prefix`, in order.
  std::vector<std::string> Entries(const std::string& prefix) const;
  int Count(const std::string& entry) const;
  void Clear();

 private:
  void Record(const std::string& entry);

  UiRequests& ui_;
  const SelectionState& selection_;
  mutable std::mutex mutex_;
  std::vector<std::string> log_;
};

}  // namespace quorbel::testing

#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "common/SelectionState.h"
#include "device/SurfaceActions.h"
#include "platform/UiRequests.h"
#include "platform/memory/MemoryDesktop.h"

namespace quorbel::testing {

// The device rigs' main window, and another program's window in front of it.
inline constexpr WindowId kMainWindow = 1;
inline constexpr WindowId kOtherWindow = 2;

// Writes down, as text, what the device thread asks of the program:
// "select 1005", "select 1094 at 3" (shuttle commands carry ShuttleStep),
// "play 5 in 2" (the control, the target window), "capture 5 at 120,45"
// (" after restoring" when the main window was restored first),
// "reset wheels", "light shuttle lamps". Every entry wakes the GUI thread's
// wait, so a test can wait for it.
class RecordingActions : public SurfaceActions {
 public:
  RecordingActions(UiRequests& ui, const SelectionState& selection, MemoryDesktop& desktop)
      : ui_(ui), selection_(selection), desktop_(desktop) {}

  void SelectControlCommand(int commandId) override;
  bool CaptureMode() override { return captureMode_; }
  void CapturePoint(int control, Point clientPoint) override;
  void ResetWheelIndicators() override { Record("reset wheels"); }
  void LightBothShuttleLamps() override { Record("light shuttle lamps"); }
  void PrepareToPlay() override { ++prepared_; }
  void Play(int control, WindowId target) override;

  // How many messages asked for the keys' answers ahead of a play.
  int Prepared() const { return prepared_; }
  void SetCaptureMode(bool on) { captureMode_ = on; }
  // Runs `work` inside every select-control command, on the GUI thread, as
  // the main window would run events it lets through meanwhile.
  void SetOnSelect(std::function<void()> work) { onSelect_ = std::move(work); }
  // From now on Play waits until Interrupt(), like a long sequence.
  void PlayUntilInterrupted();
  void Interrupt();

  std::vector<std::string> Log() const;
  bool Logged(const std::string& entry) const;
  // The entries that start with `prefix`, in order.
  std::vector<std::string> Entries(const std::string& prefix) const;
  int Count(const std::string& entry) const;
  void Clear();

 private:
  void Record(const std::string& entry);

  UiRequests& ui_;
  const SelectionState& selection_;
  MemoryDesktop& desktop_;
  std::atomic<bool> captureMode_{false};
  std::atomic<int> prepared_{0};
  std::function<void()> onSelect_;
  mutable std::mutex mutex_;
  std::condition_variable interrupted_;
  std::vector<std::string> log_;
  bool playUntilInterrupted_ = false;
  bool interrupt_ = false;
};

}  // namespace quorbel::testing

#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "device/DeviceContext.h"
#include "device/DevicePass.h"
#include "device/DeviceRunner.h"
#include "device/PortClaim.h"
#include "platform/PortWaiter.h"

namespace quorbel {

// How the device thread waits between passes.
enum class PassWait {
  // Sleeps on the port and on its wake-up until a byte arrives, the port
  // goes away, the jog indicator is due or it is asked to stop or hold: it
  // answers a byte at once and costs nothing while the surface is silent.
  OnPort,
  // Sleeps 2 ms before every pass whatever happens; kept to measure the
  // difference against.
  FixedBeat,
};

// The program's ear on the surface: a thread that reads the surface's
// messages one per pass and acts on them (DevicePass). Started, stopped and
// held from the GUI thread; every wait there keeps serving the thread's
// requests to the GUI thread.
//
// A hold keeps the thread off the port: it stops at the start of its next
// pass, or, when it is busy elsewhere in a pass, before its next use of the
// port. So a hold never waits for a playing sequence, nor for a request of
// the thread that the GUI thread is running at that moment.
class DeviceThread : public DeviceRunner, private PortClaim {
 public:
  DeviceThread(const DeviceContext& context, PortWaiter& waiter,
               PassWait passWait = PassWait::OnPort);
  // Stops the thread if it still runs.
  ~DeviceThread() override;
  DeviceThread(const DeviceThread&) = delete;
  DeviceThread& operator=(const DeviceThread&) = delete;

  // Called by Stop() before it waits, so that whatever runs long on the
  // thread (a playing sequence) can be cut short. Set while no thread runs.
  void SetStopHook(std::function<void()> hook);

  void Start() override;
  void Stop() override;
  bool Running() const override;
  bool HungUp() const override;
  void Hold() override;
  void LetGo() override;
  // Only while held or not running: the hold's lock hands them to the thread.
  void GiveBack(std::span<const std::uint8_t> bytes) override;

 private:
  void Loop();
  // False when woken for a stop or a hold before anything else happened.
  bool WaitForWork();
  void Claim() override;
  void Release() override;

  const DeviceContext context_;
  PortWaiter& waiter_;
  const PassWait passWait_;
  DevicePass pass_;
  std::function<void()> stopHook_;
  std::thread thread_;

  // Asks the thread to end at the start of its next pass.
  std::atomic<int> StopRequest{0};
  std::atomic<bool> hungUp_{false};
  std::atomic<bool> finished_{false};

  std::mutex holdMutex_;
  std::condition_variable holdChanged_;
  std::atomic<bool> holdRequested_{false};
  // Guarded by holdMutex_: stopped by a hold, and using the port (from the
  // start of a pass until it has taken its message, and while a pass drops
  // received bytes).
  bool held_ = false;
  bool atPort_ = true;
};

}  // namespace quorbel

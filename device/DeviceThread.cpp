#include "device/DeviceThread.h"

#include <chrono>

#include "common/Failure.h"

namespace quorbel {

namespace {

constexpr std::chrono::milliseconds kFixedBeat{2};

}  // namespace

DeviceThread::DeviceThread(const DeviceContext& context, PortWaiter& waiter, PassWait passWait)
    : context_(context), waiter_(waiter), passWait_(passWait), pass_(context, this) {}

DeviceThread::~DeviceThread() { Stop(); }

void DeviceThread::SetStopHook(std::function<void()> hook) { stopHook_ = std::move(hook); }

void DeviceThread::Start() {
  if (thread_.joinable()) return;
  StopRequest = 0;
  hungUp_ = false;
  finished_ = false;
  holdRequested_ = false;
  held_ = false;
  atPort_ = true;
  pass_.Reset();
  thread_ = std::thread([this] { Loop(); });
}

void DeviceThread::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(holdMutex_);
    StopRequest = 1;
  }
  holdChanged_.notify_all();
  waiter_.Wake();
  if (stopHook_) stopHook_();
  // The thread may be waiting for the GUI thread right now: serve it until
  // it has seen the request and ended.
  context_.ui.ServeUntil([this] { return finished_.load(); });
  // A stop asked for while this one served the thread's requests may have
  // ended it already.
  if (thread_.joinable()) thread_.join();
  StopRequest = 0;
}

bool DeviceThread::Running() const { return thread_.joinable(); }

bool DeviceThread::HungUp() const { return hungUp_; }

void DeviceThread::Hold() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(holdMutex_);
    holdRequested_ = true;
  }
  waiter_.Wake();
  context_.ui.ServeUntil([this] {
    std::lock_guard lock(holdMutex_);
    return held_ || finished_ || !atPort_;
  });
}

void DeviceThread::LetGo() {
  {
    std::lock_guard lock(holdMutex_);
    holdRequested_ = false;
  }
  holdChanged_.notify_all();
}

void DeviceThread::GiveBack(std::span<const std::uint8_t> bytes) {
  pass_.Received().GiveBack(bytes);
}

void DeviceThread::Loop() {
  for (;;) {
    // A pass starts at the port: it waits on it for bytes.
    Claim();
    if (StopRequest != 0) break;
    if (!WaitForWork()) continue;
    Release();
    // A message whose handling fails (a request to the GUI thread that
    // threw, a playback the desktop refused) is given up; the next is read.
    RunGuarded("a surface message", [this] {
      pass_.ExpireIndicator();
      if (!hungUp_) pass_.HandleNextMessage();
    });
  }
  finished_ = true;
  context_.ui.Wake();
}

bool DeviceThread::WaitForWork() {
  if (passWait_ == PassWait::FixedBeat) {
    context_.clock.Sleep(kFixedBeat);
    return true;
  }
  if (!hungUp_ && pass_.Received().WholeMessagePending()) return true;
  // Once the port has gone away only a stop, a hold or the indicator's
  // time-out wakes the thread: it reads nothing more and never spins.
  const PortHandle port = hungUp_ ? kNoPortHandle : context_.port.WaitHandle();
  switch (waiter_.Wait(port, pass_.IndicatorTimeLeft())) {
    case PortWait::Woken:
      return false;
    case PortWait::Readable:
      // Readable with nothing to read is the end of the file: the device
      // went away.
      if (context_.port.BytesPending() == 0) hungUp_ = true;
      return true;
    case PortWait::HungUp:
      hungUp_ = true;
      return true;
    case PortWait::TimedOut:
      return true;
  }
  return true;
}

void DeviceThread::Claim() {
  std::unique_lock lock(holdMutex_);
  atPort_ = true;
  if (!holdRequested_ || StopRequest != 0) return;
  held_ = true;
  lock.unlock();
  context_.ui.Wake();
  lock.lock();
  holdChanged_.wait(lock, [this] { return !holdRequested_ || StopRequest != 0; });
  held_ = false;
}

void DeviceThread::Release() {
  {
    std::lock_guard lock(holdMutex_);
    atPort_ = false;
  }
  // A hold that waits for the port looks again.
  if (holdRequested_) context_.ui.Wake();
}

}  // namespace quorbel

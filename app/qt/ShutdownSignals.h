#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace quorbel {

// Turns SIGINT, SIGTERM and SIGHUP into a call on the event loop's thread, so that
// the program shuts down in its usual order (keys released, preferences
// written) instead of dying wherever the signal finds it.
class ShutdownSignals {
 public:
  // Blocks the three signals for the calling thread and every thread it starts
  // afterwards, so construct it before any other thread exists.
  ShutdownSignals();
  ~ShutdownSignals();
  ShutdownSignals(const ShutdownSignals&) = delete;
  ShutdownSignals& operator=(const ShutdownSignals&) = delete;

  // From the event loop's thread, once its application object exists: every
  // signal from now on (and any that came before) calls `onSignal` there.
  void Watch(std::function<void()> onSignal);

 private:
  void Drain();

  int descriptor_ = -1;
  std::function<void()> onSignal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace quorbel

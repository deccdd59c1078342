#include "app/qt/ShutdownSignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>
#include <utility>

namespace quorbel {

namespace {

sigset_t ShutdownSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  // The terminal that started the program closing ends it the same way.
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

ShutdownSignals::ShutdownSignals() {
  const sigset_t set = ShutdownSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  descriptor_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

ShutdownSignals::~ShutdownSignals() {
  notifier_.reset();
  if (descriptor_ >= 0) ::close(descriptor_);
}

void ShutdownSignals::Watch(std::function<void()> onSignal) {
  if (descriptor_ < 0) return;
  onSignal_ = std::move(onSignal);
  notifier_ = std::make_unique<QSocketNotifier>(descriptor_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
}

void ShutdownSignals::Drain() {
  signalfd_siginfo info{};
  bool received = false;
  while (::read(descriptor_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    received = true;
  }
  if (received && onSignal_) onSignal_();
}

}  // namespace quorbel

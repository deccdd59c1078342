#include "platform/linux/posix/PollPortWaiter.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <system_error>

namespace quorbel {

namespace {

using Steady = std::chrono::steady_clock;

// Milliseconds left until `deadline` for poll(), rounded up so that a wait
// never ends before its deadline.
int MillisecondsUntil(Steady::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Steady::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, std::numeric_limits<int>::max()));
}

}  // namespace

PollPortWaiter::PollPortWaiter() : wakeDescriptor_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (wakeDescriptor_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

PollPortWaiter::~PollPortWaiter() { ::close(wakeDescriptor_); }

PortWait PollPortWaiter::Wait(PortHandle port, std::optional<std::chrono::milliseconds> timeout) {
  const int descriptor = static_cast<int>(port);
  const auto deadline = timeout ? Steady::now() + *timeout : Steady::time_point::max();
  for (;;) {
    // poll() leaves a negative descriptor alone, so -1 waits on the wake only.
    pollfd watched[2] = {{wakeDescriptor_, POLLIN, 0}, {descriptor, POLLIN, 0}};
    const int ready = ::poll(watched, 2, timeout ? MillisecondsUntil(deadline) : -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return PortWait::TimedOut;
    if ((watched[0].revents & POLLIN) != 0) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t got = ::read(wakeDescriptor_, &count, sizeof count);
      return PortWait::Woken;
    }
    // A hung-up terminal may also report POLLIN; the reader finds nothing
    // pending then and takes it as the hang-up it is.
    if ((watched[1].revents & POLLIN) != 0) return PortWait::Readable;
    return PortWait::HungUp;  // POLLHUP, POLLERR or POLLNVAL
  }
}

void PollPortWaiter::Wake() {
  const std::uint64_t one = 1;
  // Fails only when the counter is already at its limit: still signalled.
  [[maybe_unused]] const ssize_t put = ::write(wakeDescriptor_, &one, sizeof one);
}

}  // namespace quorbel

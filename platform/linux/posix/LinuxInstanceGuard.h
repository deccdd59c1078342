#pragma once

#include <string>

#include "platform/InstanceGuard.h"

namespace quorbel {

// One copy of the program per user: a lock on a file named after the guard in
// the user's private runtime folder ($XDG_RUNTIME_DIR, else /tmp/quorbel-<uid>
// created with access for the user alone). The system drops the lock when the
// process ends, however it ends, so a crashed copy never blocks the next one.
class LinuxInstanceGuard : public InstanceGuard {
 public:
  LinuxInstanceGuard() = default;
  ~LinuxInstanceGuard() override;
  LinuxInstanceGuard(const LinuxInstanceGuard&) = delete;
  LinuxInstanceGuard& operator=(const LinuxInstanceGuard&) = delete;

  GuardResult Acquire(const std::string& name) override;
  void Release() override;

 private:
  int fd_ = -1;
};

}  // namespace quorbel

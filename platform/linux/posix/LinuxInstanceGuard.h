#pragma once

#include <string>

#include "platform/InstanceGuard.h"

namespace quorbel {

// One copy of the program per user: a lock on a file named after the guard in
// the user's private runtime folder ($XDG_RUNTIME_DIR, else /run/user/<uid>,
// else /tmp/quorbel-<uid> created with access for the user alone). The system drops the lock when
// the process ends, however it ends, so a crashed copy never blocks the next one.
class LinuxInstanceGuard : public InstanceGuard {
 public:
  // The bases of the second and third folders; tests put them elsewhere.
  explicit LinuxInstanceGuard(std::string systemRuntimeBase = "/run/user",
                              std::string temporaryBase = "/tmp");
  ~LinuxInstanceGuard() override;
  LinuxInstanceGuard(const LinuxInstanceGuard&) = delete;
  LinuxInstanceGuard& operator=(const LinuxInstanceGuard&) = delete;

  GuardResult Acquire(const std::string& name) override;
  void Release() override;
  std::string Trouble() const override { return trouble_; }

 private:
  // The private folder for the lock; empty, with trouble_ saying why, when
  // there is none.
  std::string RuntimeFolder();

  std::string systemRuntimeBase_;
  std::string temporaryBase_;
  std::string trouble_;
  int fd_ = -1;
};

}  // namespace quorbel

#pragma once

#include <string>

#include "platform/InstanceGuard.h"

namespace quorbel {

// One copy of the program per session: a named mutex. Creating it when it
// exists already means another copy holds it. The system drops the mutex when
// the process ends, however it ends, so a crashed copy never blocks the next.
class WindowsInstanceGuard : public InstanceGuard {
 public:
  WindowsInstanceGuard() = default;
  ~WindowsInstanceGuard() override;
  WindowsInstanceGuard(const WindowsInstanceGuard&) = delete;
  WindowsInstanceGuard& operator=(const WindowsInstanceGuard&) = delete;

  GuardResult Acquire(const std::string& name) override;
  void Release() override;

 private:
  void* mutex_ = nullptr;
};

}  // namespace quorbel

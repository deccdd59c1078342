#pragma once

#include <string>

namespace quorbel {

enum class GuardResult { Acquired, AlreadyRunning, Failed };

// Makes sure only one copy of the program runs for a user.
class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;

  virtual GuardResult Acquire(const std::string& name) = 0;
  virtual void Release() = 0;
  // After Acquire failed: why, in words for the user; empty when unknown.
  virtual std::string Trouble() const { return {}; }
};

}  // namespace quorbel

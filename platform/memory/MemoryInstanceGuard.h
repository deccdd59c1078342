#pragma once

#include <string>

#include "platform/InstanceGuard.h"

namespace quorbel {

// A single-instance guard whose names live in one registry shared by every
// guard of the process, so two guards stand for two copies of the program.
// A guard releases its name when destroyed.
class MemoryInstanceGuard : public InstanceGuard {
 public:
  MemoryInstanceGuard() = default;
  ~MemoryInstanceGuard() override;
  MemoryInstanceGuard(const MemoryInstanceGuard&) = delete;
  MemoryInstanceGuard& operator=(const MemoryInstanceGuard&) = delete;

  // Acquired when no other guard holds the name; a guard that holds a name
  // gives it up before acquiring another.
  GuardResult Acquire(const std::string& name) override;
  void Release() override;

  // Makes Acquire report Failed while set, as when the system refuses.
  void SetFails(bool fails) { fails_ = fails; }
  bool Holds() const { return !held_.empty(); }

 private:
  std::string held_;
  bool fails_ = false;
};

}  // namespace quorbel

#include "platform/memory/MemoryInstanceGuard.h"

#include <mutex>
#include <set>

namespace quorbel {

namespace {

struct Registry {
  std::mutex mutex;
  std::set<std::string> names;
};

Registry& Names() {
  static Registry registry;
  return registry;
}

}  // namespace

MemoryInstanceGuard::~MemoryInstanceGuard() { Release(); }

GuardResult MemoryInstanceGuard::Acquire(const std::string& name) {
  if (fails_ || name.empty()) return GuardResult::Failed;
  Release();
  Registry& registry = Names();
  std::lock_guard lock(registry.mutex);
  if (!registry.names.insert(name).second) return GuardResult::AlreadyRunning;
  held_ = name;
  return GuardResult::Acquired;
}

void MemoryInstanceGuard::Release() {
  if (held_.empty()) return;
  Registry& registry = Names();
  std::lock_guard lock(registry.mutex);
  registry.names.erase(held_);
  held_.clear();
}

}  // namespace quorbel

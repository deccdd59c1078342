#include "platform/memory/MemorySerialDevices.h"

namespace quorbel {

std::string MemorySerialDevices::LinkPort(int portNumber, const std::string& devicePath) {
  if (!refusal.empty()) return refusal;
  links[portNumber] = devicePath;
  return {};
}

bool MemorySerialDevices::TakeChanges() {
  const bool changed = changed_;
  changed_ = false;
  return changed;
}

}  // namespace quorbel

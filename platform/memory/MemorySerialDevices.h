#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/SerialDevices.h"

namespace quorbel {

// Serial devices a test sets up by hand; port links are kept in a map.
class MemorySerialDevices : public SerialDevices {
 public:
  std::vector<SerialDevice> Detect() override { return devices; }
  std::string LinkPort(int portNumber, const std::string& devicePath) override;
  int ChangeDescriptor() const override { return -1; }
  bool TakeChanges() override;

  // Marks the devices as changed, as a plug or an unplug does.
  void Change() { changed_ = true; }

  std::vector<SerialDevice> devices;
  std::map<int, std::string> links;
  // When not empty, LinkPort refuses with this text.
  std::string refusal;

 private:
  bool changed_ = false;
};

}  // namespace quorbel

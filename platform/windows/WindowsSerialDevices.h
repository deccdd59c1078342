#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/SerialDevices.h"

namespace quorbel {

// "COM3", "com12" or "\\.\COM3" as its number; none for other names and for
// numbers beyond 255.
std::optional<int> ComPortNumber(const std::string& name);

// The COM ports the system lists now (HARDWARE\DEVICEMAP\SERIALCOMM), in the
// order of their numbers. On Windows "Com n" is always the system's COMn, so
// a device cannot be made another port: LinkPort only agrees when the port
// chosen is the device's own and says which one it is otherwise. The system
// tells of ports that come and go by a window message, not a descriptor:
// TakeChanges compares the list with the one seen last.
class WindowsSerialDevices : public SerialDevices {
 public:
  std::vector<SerialDevice> Detect() override;
  std::string LinkPort(int portNumber, const std::string& devicePath) override;
  int ChangeDescriptor() const override { return -1; }
  bool TakeChanges() override;

 protected:
  // Each port as the system names it ("COM3") with the device behind it
  // ("\Device\VCP0"); in no particular order.
  struct ListedPort {
    std::string port;
    std::string device;
  };
  virtual std::vector<ListedPort> ListPorts();

 private:
  std::vector<std::string> seen_;
  bool looked_ = false;
};

}  // namespace quorbel

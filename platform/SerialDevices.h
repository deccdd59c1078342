#pragma once

#include <string>
#include <vector>

namespace quorbel {

// A serial device the machine has now.
struct SerialDevice {
  std::string path;  // what a port link leads to: /dev/serial/by-id/... or /dev/ttyUSB0
  std::string name;  // for people: "FTDI FT232R USB UART (ttyUSB0)"
  // Whether this user may open it for reading and writing; when not, the
  // group that may, and whether the user already belongs to it in the user
  // database (then only this login session predates the membership).
  bool accessible = true;
  std::string group;
  bool memberOfGroup = false;
};

// Finds the serial devices, makes "Com n" lead to one of them, and tells when
// devices come or go.
class SerialDevices {
 public:
  virtual ~SerialDevices() = default;

  // Adapters by their stable names first, then the others; each device once.
  virtual std::vector<SerialDevice> Detect() = 0;
  // Makes the link of port n (ports/comN) lead to `devicePath`, replacing
  // what it led to. Empty when done, else why not, for the user.
  virtual std::string LinkPort(int portNumber, const std::string& devicePath) = 0;

  // A descriptor that becomes readable when devices may have come or gone;
  // -1 when there is no such watch. TakeChanges() empties it and says
  // whether anything changed since the last call.
  virtual int ChangeDescriptor() const = 0;
  virtual bool TakeChanges() = 0;
};

}  // namespace quorbel

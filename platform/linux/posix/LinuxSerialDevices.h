#pragma once

#include <string>
#include <vector>

#include "platform/SerialDevices.h"

namespace quorbel {

// Serial devices under /dev: the stable names of /dev/serial/by-id, then
// ttyUSB*, ttyACM* and the built-in ttyS* ports that have a UART. Port links
// are written into the folder "ports" below the current directory. inotify
// watches /dev and /dev/serial/by-id, so a device that is plugged in, or
// whose permissions udev sets a moment later, is noticed at once.
class LinuxSerialDevices : public SerialDevices {
 public:
  // `devFolder` and `sysFolder` stand for /dev and /sys; tests use others.
  explicit LinuxSerialDevices(std::string devFolder = "/dev", std::string sysFolder = "/sys");
  ~LinuxSerialDevices() override;
  LinuxSerialDevices(const LinuxSerialDevices&) = delete;
  LinuxSerialDevices& operator=(const LinuxSerialDevices&) = delete;

  std::vector<SerialDevice> Detect() override;
  std::string LinkPort(int portNumber, const std::string& devicePath) override;
  int ChangeDescriptor() const override { return watch_; }
  bool TakeChanges() override;

 private:
  void WatchFolders();

  std::string dev_;
  std::string sys_;
  int watch_ = -1;
};

// "usb-FTDI_FT232R_USB_UART_A601B2C3-if00-port0" as "FTDI FT232R USB UART A601B2C3".
std::string ReadableDeviceName(const std::string& byIdName);

}  // namespace quorbel

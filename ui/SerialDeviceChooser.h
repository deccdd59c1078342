#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/LinkSettings.h"
#include "platform/SerialDevices.h"
#include "toolkit/Toolkit.h"

namespace quorbel::ui {

inline constexpr const char* kSerialDeviceForm = "SERIALDEV";
inline constexpr int kSerialDeviceItem = 1678;  // Preferences menu: "Serial &Device..."

inline constexpr int kDeviceList = 20;
inline constexpr int kDeviceInfo = 30;
inline constexpr int kDevicePort = 50;
inline constexpr int kConnectButton = 60;
inline constexpr int kCancelButton = 70;

// What the chooser says about a device: its name, or why this user may not
// open it and the command that lets them. `lineBreak` parts the lines: "|" in
// a message box, a new line in a label.
std::string DeviceAccessText(const SerialDevice& device, const std::string& lineBreak = "|");

// A small window that lists the serial devices the machine has and makes
// "Com n" lead to the one chosen, so that nobody has to make the port links
// by hand. Modal to the main window; the list follows devices plugged in or
// pulled while it is open.
class SerialDeviceChooser {
 public:
  // `use` gets the port and the chosen device once the user confirms.
  using Use = std::function<void(int portNumber, const SerialDevice& device)>;

  SerialDeviceChooser(Toolkit& toolkit, SerialDevices& devices, const LinkSettings& settings,
                      Use use);

  // Opens the window; returns when it has been closed.
  void Open();
  bool IsOpen() { return toolkit_.HasForm(kSerialDeviceForm); }
  void LayOut();
  void HandleEvent(Event& event);
  // Lists the devices again, keeping the chosen one when it is still there.
  void Refresh();

 private:
  void ShowInfo();
  int ChosenDevice();

  Toolkit& toolkit_;
  SerialDevices& devices_;
  const LinkSettings& settings_;
  Use use_;
  std::vector<SerialDevice> shown_;
};

}  // namespace quorbel::ui

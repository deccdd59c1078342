#include "ui/SerialDeviceChooser.h"

#include "device/PortMenu.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {

namespace {

constexpr Rect kChooserPlace{8, 4, 62, 15};

}  // namespace

std::string DeviceAccessText(const SerialDevice& device, const std::string& lineBreak) {
  if (device.accessible) return device.name + lineBreak + device.path;
  if (device.group.empty()) return "You may not open " + device.path + ".";
  if (device.memberOfGroup) {
    return "You may not open " + device.path + " yet: you joined the group " + device.group +
           " after this login began. Log out and in again.";
  }
  return "You may not open " + device.path + ": only the group " + device.group +
         " may. Run this, then log out and in again:" + lineBreak + "sudo usermod -aG " +
         device.group + " \"$USER\"";
}

SerialDeviceChooser::SerialDeviceChooser(Toolkit& toolkit, SerialDevices& devices,
                                         const LinkSettings& settings, Use use)
    : toolkit_(toolkit), devices_(devices), settings_(settings), use_(std::move(use)) {}

void SerialDeviceChooser::Open() {
  toolkit_.CreateForm(kSerialDeviceForm, kMainForm, "Serial Device", kChooserPlace, "_CM",
                      kDefaultColour, kDefaultColour);
}

void SerialDeviceChooser::LayOut() {
  const std::string form = kSerialDeviceForm;
  toolkit_.AddControl(form, {ControlKind::Label, 10, {1, 0.5, 40, 1}, "Serial devices:", ""});
  toolkit_.AddControl(form, {ControlKind::ListBox, kDeviceList, {1, 1.5, 60, 6.5}, "", ""});
  toolkit_.AddControl(form, {ControlKind::Label, kDeviceInfo, {1, 8.5, 60, 3}, "", ""});
  toolkit_.AddControl(form, {ControlKind::Label, 40, {1, 12.2, 14, 1}, "Connect it as:", ""});
  toolkit_.AddControl(form, {ControlKind::ComboBox, kDevicePort, {15, 12, 12, 8}, "", ""});
  toolkit_.AddControl(form,
                      {ControlKind::Button, kConnectButton, {35, 12, 12, 1.6}, "Connect", ""});
  toolkit_.AddControl(form,
                      {ControlKind::Button, kCancelButton, {48.5, 12, 12, 1.6}, "Cancel", ""});
  std::string ports;
  for (int port = kFirstCommPort; port <= kLastCommPort; ++port) {
    ports += (ports.empty() ? "" : "|") + ComMenuText(port);
  }
  toolkit_.AddItems(form, kDevicePort, ports);
  const int current = IsCommPort(settings_.CommPort) ? settings_.CommPort : kFirstCommPort;
  toolkit_.SelectItem(form, kDevicePort, current - kFirstCommPort);
  shown_.clear();
  Refresh();
}

void SerialDeviceChooser::Refresh() {
  const std::string form = kSerialDeviceForm;
  const int chosen = ChosenDevice();
  const std::string chosenPath = chosen >= 0 ? shown_[static_cast<std::size_t>(chosen)].path : "";
  shown_ = devices_.Detect();
  toolkit_.ClearItems(form, kDeviceList);
  int select = shown_.empty() ? -1 : 0;
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    toolkit_.AddItems(form, kDeviceList, shown_[i].name);
    if (shown_[i].path == chosenPath) select = static_cast<int>(i);
  }
  if (select >= 0) toolkit_.SelectItem(form, kDeviceList, select);
  ShowInfo();
}

int SerialDeviceChooser::ChosenDevice() {
  if (shown_.empty()) return -1;
  const int index = toolkit_.NextSelected(kSerialDeviceForm, kDeviceList, -1);
  return index >= 0 && index < static_cast<int>(shown_.size()) ? index : -1;
}

void SerialDeviceChooser::ShowInfo() {
  const int chosen = ChosenDevice();
  if (shown_.empty()) {
    toolkit_.SetText(kSerialDeviceForm, kDeviceInfo,
                     "No serial device was found. Plug the adapter in: the list follows.");
    toolkit_.Disable(kSerialDeviceForm, kConnectButton, kConnectButton);
    return;
  }
  toolkit_.Enable(kSerialDeviceForm, kConnectButton, kConnectButton);
  toolkit_.SetText(
      kSerialDeviceForm, kDeviceInfo,
      chosen >= 0 ? DeviceAccessText(shown_[static_cast<std::size_t>(chosen)], "\n") : "");
}

void SerialDeviceChooser::HandleEvent(Event& event) {
  if (event.id == kDeviceList && (event.code == kChanged || event.code == kClick)) {
    ShowInfo();
  } else if (event.id == kCancelButton && event.code == kClick) {
    toolkit_.UnloadForm(kSerialDeviceForm);
  } else if (event.id == kConnectButton && event.code == kClick) {
    const int chosen = ChosenDevice();
    if (chosen < 0) return;
    const SerialDevice device = shown_[static_cast<std::size_t>(chosen)];
    const int port = toolkit_.NextSelected(kSerialDeviceForm, kDevicePort, -1) + kFirstCommPort;
    toolkit_.UnloadForm(kSerialDeviceForm);
    use_(IsCommPort(port) ? port : kFirstCommPort, device);
  }
}

}  // namespace quorbel::ui

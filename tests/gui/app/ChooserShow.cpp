// Shows the Serial Device chooser with a typical set of devices until it is
// closed, for the picture in the documentation (docs/serial-device.sh).
#include "platform/memory/MemorySerialDevices.h"
#include "toolkit/qt/QtToolkit.h"
#include "ui/MainWindowIds.h"
#include "ui/SerialDeviceChooser.h"
#include "ui/art/DrawnImageSource.h"

int main() {
  using namespace quorbel;
  ui::QtToolkit toolkit(ui::DrawnOrFolderImages());
  MemorySerialDevices devices;
  const auto add = [&devices](const std::string& path, const std::string& name, bool accessible) {
    SerialDevice device;
    device.path = path;
    device.name = name;
    device.accessible = accessible;
    device.group = accessible ? "" : "dialout";
    devices.devices.push_back(device);
  };
  add("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A601B2C3-if00-port0",
      "FTDI FT232R USB UART A601B2C3 (ttyUSB0)", false);
  add("/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0",
      "Prolific Technology Inc. USB-Serial Controller (ttyUSB1)", true);
  add("/dev/ttyACM0", "ttyACM0", true);
  add("/dev/ttyS0", "ttyS0", false);
  LinkSettings settings{1, 38400};
  ui::SerialDeviceChooser chooser(toolkit, devices, settings, [](int, const SerialDevice&) {});
  return toolkit.Run(
      [&] {
        toolkit.CreateForm(ui::kMainForm, "", "QuorbelU", {0, 0, 1, 1}, "H", -1, -1);
        chooser.Open();
        toolkit.UnloadForm(ui::kMainForm);
      },
      [&](const std::string& form) {
        if (form == ui::kSerialDeviceForm) chooser.LayOut();
      },
      [&](ui::Event& event) {
        if (event.form == ui::kSerialDeviceForm) chooser.HandleEvent(event);
      });
}

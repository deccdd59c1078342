// The Serial Device chooser: listing, saying why a device may not be opened,
// making Com n lead to the chosen device, and following plugs while open.
#include "ui/SerialDeviceChooser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/memory/MemorySerialDevices.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindowIds.h"

namespace quorbel::ui {
namespace {

using ::testing::ElementsAre;

SerialDevice Device(const std::string& path, const std::string& name, bool accessible = true,
                    const std::string& group = "", bool member = false) {
  SerialDevice device;
  device.path = path;
  device.name = name;
  device.accessible = accessible;
  device.group = group;
  device.memberOfGroup = member;
  return device;
}

class SerialDeviceChooserTest : public ::testing::Test {
 protected:
  SerialDeviceChooserTest() {
    devices.devices = {Device("/dev/serial/by-id/usb-FTDI-if00-port0", "FTDI (ttyUSB0)"),
                       Device("/dev/ttyACM0", "ttyACM0", false, "dialout")};
    kit.SetCallbacks([this](const std::string&) { chooser.LayOut(); },
                     [this](Event& event) { chooser.HandleEvent(event); });
    // The chooser is modal: the test acts while it is up.
    kit.SetModalHook([this](const std::string&) { whileOpen(); });
  }

  MemoryToolkit kit;
  MemorySerialDevices devices;
  LinkSettings settings{3, 38400};
  std::vector<std::pair<int, std::string>> used;
  std::function<void()> whileOpen = [] {};
  SerialDeviceChooser chooser{kit, devices, settings, [this](int port, const SerialDevice& d) {
                                used.emplace_back(port, d.path);
                              }};
};

TEST_F(SerialDeviceChooserTest, ListsDevicesAndConnectsTheChosenOneAsTheChosenPort) {
  whileOpen = [this] {
    EXPECT_EQ(kit.LastItem(kSerialDeviceForm, kDeviceList), 1);
    EXPECT_EQ(kit.ItemText(kSerialDeviceForm, kDevicePort, 2), "Com 3");
    EXPECT_EQ(kit.NextSelected(kSerialDeviceForm, kDevicePort, -1), 2) << "the current port";
    EXPECT_THAT(kit.Text(kSerialDeviceForm, kDeviceInfo), ::testing::StartsWith("FTDI (ttyUSB0)"));
    ASSERT_TRUE(kit.Pick(kSerialDeviceForm, kDevicePort, 6));
    ASSERT_TRUE(kit.Click(kSerialDeviceForm, kConnectButton));
  };
  chooser.Open();
  EXPECT_FALSE(kit.HasForm(kSerialDeviceForm));
  EXPECT_THAT(used, ElementsAre(std::make_pair(7, "/dev/serial/by-id/usb-FTDI-if00-port0")));
}

TEST_F(SerialDeviceChooserTest, DeviceTheUserMayNotOpenGivesTheFixingCommand) {
  whileOpen = [this] {
    ASSERT_TRUE(kit.Pick(kSerialDeviceForm, kDeviceList, 1));
    EXPECT_EQ(kit.Text(kSerialDeviceForm, kDeviceInfo),
              "You may not open /dev/ttyACM0: only the group dialout may. Run this, then log out "
              "and in again:\nsudo usermod -aG dialout \"$USER\"");
    ASSERT_TRUE(kit.Click(kSerialDeviceForm, kCancelButton));
  };
  chooser.Open();
  EXPECT_TRUE(used.empty());
  EXPECT_THAT(DeviceAccessText(Device("/dev/ttyUSB1", "x", false, "uucp", true)),
              ::testing::HasSubstr("you joined the group uucp after this login began"));
}

TEST_F(SerialDeviceChooserTest, ListFollowsPlugsAndKeepsTheChoice) {
  whileOpen = [this] {
    ASSERT_TRUE(kit.Pick(kSerialDeviceForm, kDeviceList, 1));
    devices.devices.insert(devices.devices.begin(), Device("/dev/ttyUSB3", "ttyUSB3"));
    chooser.Refresh();
    EXPECT_EQ(kit.LastItem(kSerialDeviceForm, kDeviceList), 2);
    EXPECT_EQ(kit.NextSelected(kSerialDeviceForm, kDeviceList, -1), 2);
    devices.devices.clear();
    chooser.Refresh();
    EXPECT_THAT(kit.Text(kSerialDeviceForm, kDeviceInfo),
                ::testing::StartsWith("No serial device was found"));
    EXPECT_FALSE(kit.Click(kSerialDeviceForm, kConnectButton)) << "nothing to connect";
    kit.Close(kSerialDeviceForm);
  };
  chooser.Open();
  EXPECT_TRUE(used.empty());
}

}  // namespace
}  // namespace quorbel::ui

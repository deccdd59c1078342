// The COM ports the system lists, and the program-files folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/ProgramFilesFolder.h"
#include "platform/windows/WindowsSerialDevices.h"

namespace quorbel {
namespace {

// The system's list of ports, given by the test.
class ListedDevices : public WindowsSerialDevices {
 public:
  std::vector<ListedPort> ports;

 protected:
  std::vector<ListedPort> ListPorts() override { return ports; }
};

std::vector<std::string> Paths(const std::vector<SerialDevice>& devices) {
  std::vector<std::string> paths;
  for (const SerialDevice& device : devices) paths.push_back(device.path);
  return paths;
}

TEST(WindowsSerialDevices, PortNamesAreReadAsTheSystemWritesThem) {
  EXPECT_EQ(ComPortNumber("COM3"), 3);
  EXPECT_EQ(ComPortNumber("com12"), 12);
  EXPECT_EQ(ComPortNumber("\\\\.\\COM255"), 255);
  for (const char* notAPort : {"COM", "COM0", "COM03", "COM256", "COM1a", "LPT1", "XCOM1", ""}) {
    EXPECT_FALSE(ComPortNumber(notAPort)) << notAPort;
  }
}

TEST(WindowsSerialDevices, PortsAreListedOnceEachInTheOrderOfTheirNumbers) {
  ListedDevices devices;
  devices.ports = {{"COM10", "\\Device\\VCP1"},
                   {"COM3", "\\Device\\VCP0"},
                   {"LPT1", "\\Device\\Parallel0"},
                   {"com3", "\\Device\\Serial2"},
                   {"COM1", ""}};
  const std::vector<SerialDevice> found = devices.Detect();
  ASSERT_EQ(Paths(found), (std::vector<std::string>{"COM1", "COM3", "COM10"}));
  EXPECT_EQ(found[0].name, "Com 1");
  EXPECT_EQ(found[1].name, "Com 3 (\\Device\\VCP0)");
  EXPECT_TRUE(found[1].accessible);
}

TEST(WindowsSerialDevices, APortIsOnlyEverItsOwnNumber) {
  ListedDevices devices;
  EXPECT_EQ(devices.LinkPort(3, "COM3"), "");
  EXPECT_EQ(devices.LinkPort(1, "COM3"),
            "On Windows this device is always Com 3: connect it as Com 3.");
  EXPECT_EQ(devices.LinkPort(1, "/dev/ttyUSB0"), "There is no serial port /dev/ttyUSB0.");
  EXPECT_EQ(devices.ChangeDescriptor(), -1);
}

TEST(WindowsSerialDevices, AChangeIsAPortComeOrGoneSinceTheLastLook) {
  ListedDevices devices;
  devices.ports = {{"COM1", ""}};
  EXPECT_TRUE(devices.TakeChanges()) << "nothing to compare with at first";
  EXPECT_FALSE(devices.TakeChanges());
  devices.ports.push_back({"COM4", "\\Device\\VCP0"});
  EXPECT_TRUE(devices.TakeChanges());
  EXPECT_FALSE(devices.TakeChanges());
  devices.ports.erase(devices.ports.begin());
  EXPECT_TRUE(devices.TakeChanges());
}

TEST(WindowsSerialDevices, TheSystemsOwnListIsReadable) {
  WindowsSerialDevices devices;
  for (const SerialDevice& device : devices.Detect()) {
    EXPECT_TRUE(ComPortNumber(device.path)) << device.path;
  }
}

TEST(ProgramFilesFolder, IsAnAbsoluteFolderThatExists) {
  const std::filesystem::path folder = ProgramFilesFolder();
  EXPECT_TRUE(folder.is_absolute()) << folder.string();
  EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder.string();
}

}  // namespace
}  // namespace quorbel

// Finding serial devices, writing port links and watching for plugs, on a
// made-up /dev and /sys in a temporary folder.
#include <poll.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/linux/posix/LinuxSerialDevices.h"
#include "tests/support/TempFolder.h"

namespace quorbel::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class SerialDevicesTest : public ::testing::Test {
 protected:
  SerialDevicesTest() {
    fs::create_directories(dev_ + "/serial/by-id");
    for (const char* node : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "tty0"}) {
      std::ofstream(dev_ + "/" + node) << "";
    }
    fs::create_symlink("../../ttyUSB2",
                       dev_ + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A6-if00-port0");
    for (const auto& [port, type] : {std::pair{"ttyS0", "4"}, std::pair{"ttyS1", "0"}}) {
      fs::create_directories(sys_ + "/class/tty/" + port);
      std::ofstream(sys_ + "/class/tty/" + port + "/type") << type << "\n";
    }
    // Made once its folders are there, as /dev is there before the program.
    made_.emplace(dev_, sys_);
  }

  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (const SerialDevice& device : made_->Detect()) paths.push_back(device.path);
    return paths;
  }

  WorkingFolder folder_{"quorbel-serial-"};
  std::string dev_ = folder_.Path().string() + "/dev";
  std::string sys_ = folder_.Path().string() + "/sys";
  std::optional<LinuxSerialDevices> made_;
};

TEST_F(SerialDevicesTest, StableNamesFirstThenAdaptersThenBuiltInPortsWithAUart) {
  EXPECT_THAT(Paths(), ElementsAre(dev_ + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A6-if00-port0",
                                   dev_ + "/ttyUSB10", dev_ + "/ttyACM0", dev_ + "/ttyS0"));
  EXPECT_EQ(made_->Detect()[0].name, "FTDI FT232R USB UART A6 (ttyUSB2)");
}

TEST_F(SerialDevicesTest, LinkIsWrittenInAPrivatePortsFolderAndReplacedWhole) {
  EXPECT_EQ(made_->LinkPort(5, dev_ + "/ttyACM0"), "");
  EXPECT_EQ(fs::read_symlink("ports/com5"), dev_ + "/ttyACM0");
  EXPECT_EQ(fs::status("ports").permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(made_->LinkPort(5, dev_ + "/ttyUSB10"), "");
  EXPECT_EQ(fs::read_symlink("ports/com5"), dev_ + "/ttyUSB10");
  EXPECT_THAT(made_->LinkPort(33, dev_ + "/ttyUSB10"), ::testing::HasSubstr("no Com 33"));
  fs::permissions("ports", fs::perms::others_write, fs::perm_options::add);
  EXPECT_THAT(made_->LinkPort(5, dev_ + "/ttyACM0"), ::testing::HasSubstr("chmod go-w"));
  EXPECT_EQ(fs::read_symlink("ports/com5"), dev_ + "/ttyUSB10");
}

TEST_F(SerialDevicesTest, APluggedDeviceWakesTheWatchAtOnce) {
  ASSERT_GE(made_->ChangeDescriptor(), 0);
  EXPECT_FALSE(made_->TakeChanges());
  std::ofstream(dev_ + "/ttyUSB3") << "";
  pollfd wait{made_->ChangeDescriptor(), POLLIN, 0};
  ASSERT_EQ(::poll(&wait, 1, 5000), 1);
  EXPECT_TRUE(made_->TakeChanges());
  EXPECT_FALSE(made_->TakeChanges());
  // An adapter's stable name appears in a folder that was watched only
  // once it existed.
  fs::remove_all(dev_ + "/serial");
  ASSERT_EQ(::poll(&wait, 1, 5000), 1);
  made_->TakeChanges();
  fs::create_directories(dev_ + "/serial/by-id");
  ASSERT_EQ(::poll(&wait, 1, 5000), 1);
  made_->TakeChanges();
  fs::create_symlink("../../ttyUSB3", dev_ + "/serial/by-id/usb-X-if00");
  ASSERT_EQ(::poll(&wait, 1, 5000), 1);
  EXPECT_TRUE(made_->TakeChanges());
}

}  // namespace
}  // namespace quorbel::testing

// The program's real parts wired together, on the in-memory toolkit and
// platform: start-up opens the link, panel clicks reach the surface's lamps,
// a press on the surface plays into the program in front, and shutdown takes
// everything down again.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryInput.h"
#include "platform/memory/MemoryInstanceGuard.h"
#include "platform/memory/MemoryPortWaiter.h"
#include "platform/memory/MemorySerialDevices.h"
#include "platform/memory/MemorySerialPort.h"
#include "platform/memory/MemoryUiRequests.h"
#include "tests/unit/keysets/KeysetFolder.h"
#include "ui/MainWindowIds.h"
#include "ui/memory/MemoryToolkit.h"

namespace quorbel {
namespace {

using ::testing::IsEmpty;
using Bytes = std::vector<std::uint8_t>;

constexpr WindowId kEditorWindow = 0x77;

bool Contains(const Bytes& haystack, const Bytes& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
         haystack.end();
}

class ProgramWiringTest : public ::testing::Test {
 protected:
  ProgramWiringTest() {
    std::string pattern = (fs::temp_directory_path() / "quorbel-wiring-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    fs::create_directory(folder / "keysets");
    std::ofstream(folder / "QuorbelU.ini", std::ios::binary)
        << "[QUORBELU]\r\nCom Port=1\r\nBaud Rate=38400\r\n";
    port.AddPort(1);
    desktop.AddWindow(kEditorWindow, "notes.txt - gedit", "Gedit", 42);
    desktop.SetExecutable(42, "/usr/bin/gedit");
  }
  ~ProgramWiringTest() override {
    app.Shutdown();
    fs::remove_all(folder);
  }

  void Start() {
    app.Run();
    desktop.SetForeground(kit.Handle("main"));
  }

  // Serves the device thread's requests until `done` or five seconds passed.
  bool ServeUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      requests.ServePending();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  fs::path folder;
  ui::MemoryToolkit kit;
  MemoryInstanceGuard guard;
  MemoryDesktop desktop;
  MemorySerialPort port;
  FakeClock clock;
  MemoryPortWaiter waiter{clock};
  MemorySerialDevices devices;
  MemoryInput input;
  MemoryUiRequests requests;
  Application app{{kit, guard, desktop, [this] { return folder; }}, [this](Application& a) {
                    return std::make_unique<ProgramComponents>(
                        a,
                        ProgramComponents::Services{port, waiter, clock, input, requests, devices});
                  }};
};

TEST_F(ProgramWiringTest, StartupGreetsTheSurfaceAndShutdownClosesThePort) {
  Start();
  ASSERT_TRUE(port.IsOpen());
  EXPECT_EQ(port.LastOpenPort(), 1);
  EXPECT_TRUE(Contains(port.SurfaceReceived(), {0xBF, 0x14, 0x02, 0xBF, 0x15, 'B'}));
  EXPECT_THAT(kit.MessageBoxes(), IsEmpty());

  fs::remove(folder / "QuorbelU.ini");
  kit.Click("main", ui::kExitItem);
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(fs::exists(folder / "QuorbelU.ini"));
  EXPECT_FALSE(guard.Holds());
}

TEST_F(ProgramWiringTest, PanelClickSelectsTheControlAndLightsItsLamp) {
  Start();
  port.ClearSurfaceReceived();
  kit.Click("main", 1002);
  EXPECT_EQ(kit.ImageName("main", 1002), "$FuncDn");
  EXPECT_EQ(kit.Text("main", ui::kSelectedControlName), "F3");
  const Bytes sent = port.SurfaceReceived();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(Bytes(sent.end() - 3, sent.end()), (Bytes{0xBF, 0x12, 0x02}));
}

TEST_F(ProgramWiringTest, PressOnTheSurfacePlaysIntoTheProgramInFront) {
  Start();
  app.State().keysets.Lock()->SetStep(59, 1, {0, 0, 'S', kCtrl, 0});
  desktop.SetForeground(kEditorWindow);
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x3B}));
  ASSERT_TRUE(ServeUntil([&] { return input.Events().size() >= 4; }));
  EXPECT_THAT(input.Events(), ::testing::ElementsAre("down 17", "down 83", "up 83", "up 17"));
  EXPECT_EQ(kit.ImageName("main", 1059), "$PlayDn");
  // Shutting down with the thread idle ends it.
  app.Shutdown();
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(ProgramWiringTest, MenusReachTheKeysetDisplayAndTheWindowList) {
  Start();
  std::string caption;
  kit.SetModalHook([&](const std::string& form) {
    caption = kit.Caption(form);
    kit.Click(form, 27);
  });
  kit.Click("main", ui::kKeysetDisplayItem);
  EXPECT_EQ(caption, "Keyset Display - Default  Layer 1");
  EXPECT_FALSE(kit.HasForm("ksdisplay"));

  kit.Click("main", ui::kWindowListAccelerator);
  EXPECT_TRUE(kit.Visible("main", ui::kWindowListView));
}

}  // namespace
}  // namespace quorbel

// The program's real parts wired together, on the in-memory toolkit and
// platform: start-up opens the link, panel clicks reach the surface's lamps,
// a press on the surface plays into the program in front, and shutdown takes
// everything down again.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

#include "app/Application.h"
#include "app/ProgramComponents.h"
#include "device/PortMenu.h"
#include "platform/memory/FakeClock.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryInput.h"
#include "platform/memory/MemoryInstanceGuard.h"
#include "platform/memory/MemoryPortWaiter.h"
#include "platform/memory/MemorySerialDevices.h"
#include "platform/memory/MemorySerialPort.h"
#include "platform/memory/MemoryUiRequests.h"
#include "tests/support/KeysetFolder.h"
#include "tests/support/TempFolder.h"
#include "toolkit/memory/MemoryToolkit.h"
#include "ui/MainWindowIds.h"

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
    folder = MakeTempFolder("quorbel-wiring-");
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
  // The keys leave first; the panel shows the press after them.
  ASSERT_TRUE(ServeUntil(
      [&] { return input.Events().size() >= 4 && kit.ImageName("main", 1059) == "$PlayDn"; }));
  EXPECT_THAT(input.Events(), ::testing::ElementsAre("down 17", "down 83", "up 83", "up 17"));
  // Shutting down with the thread idle ends it.
  app.Shutdown();
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(ProgramWiringTest, WhereTheDesktopCannotTellTheProgramInFrontItSaysSoOnceAndPlaysNothing) {
  desktop.SetTellsForeground(false);
  Start();
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  EXPECT_EQ(kit.MessageBoxes().front().form, ui::kMainForm);
  EXPECT_TRUE(kit.MessageBoxes().front().text.starts_with(
      "This desktop does not tell QuorbelU which program is in front."));
  EXPECT_EQ(app.State().windows.DialogActive, 0);

  app.State().keysets.Lock()->SetStep(59, 1, {0, 0, 'S', 0, 0});
  app.State().keysets.Lock()->SetStep(58, 1, {0, 0, 'T', 0, 0});
  // An unknown program in front: the press selects, nothing is typed.
  desktop.SetForeground(0);
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x3B}));
  ASSERT_TRUE(ServeUntil([&] { return kit.ImageName("main", 1059) == "$PlayDn"; }));
  // A program the desktop does know (one under XWayland) gets its keys; the
  // presses are handled in order, so T is the first key typed.
  desktop.SetForeground(kEditorWindow);
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x3A}));
  ASSERT_TRUE(ServeUntil([&] { return input.Events().size() >= 2; }));
  EXPECT_THAT(input.Events(), ::testing::ElementsAre("down 84", "up 84"));
  EXPECT_EQ(kit.MessageBoxes().size(), 1u);
}

// Exit, the close box and a signal can arrive while the GUI thread serves a
// nested event loop inside one of the device thread's requests: the pause of
// the surface's display after a Shift press, the message box of a capture.
// The program still ends at once: the thread stopped after its request, the
// port closed, the preferences written, the guard released.
class StopInsideARequestTest : public ProgramWiringTest {
 protected:
  // Serves requests until the program has ended; false when it hangs.
  bool Ended() {
    return ServeUntil([&] { return !kit.HasForm("main") && !port.IsOpen(); });
  }
  void ExpectEndedCleanly() {
    EXPECT_FALSE(guard.Holds());
    EXPECT_TRUE(fs::exists(folder / "QuorbelU.ini"));
    EXPECT_EQ(requests.Pending(), 0u);
  }
  // A surface Shift press with the main window in front: its request shows
  // the new layer on the surface, which pauses 1/16 s serving events.
  void PressShiftAndOnThePause(const std::function<void()>& action) {
    Start();
    kit.SetDelayHook([this, action](float) {
      if (paused) return;
      paused = true;
      action();
    });
    fs::remove(folder / "QuorbelU.ini");
    ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x14}));
  }

  bool paused = false;
};

TEST_F(StopInsideARequestTest, ExitDuringTheDisplayPauseOfAShiftPress) {
  PressShiftAndOnThePause([&] { kit.Click("main", ui::kExitItem); });
  ASSERT_TRUE(Ended());
  ExpectEndedCleanly();
}

TEST_F(StopInsideARequestTest, CloseBoxDuringTheDisplayPause) {
  PressShiftAndOnThePause([&] { kit.Close("main"); });
  ASSERT_TRUE(Ended());
  ExpectEndedCleanly();
}

TEST_F(StopInsideARequestTest, SignalDuringTheMessageBoxOfACapture) {
  Start();
  desktop.SetForeground(kEditorWindow);
  // A full sequence, so that the captured click is refused with a box.
  for (int step = 1; step <= 10; ++step) {
    app.State().keysets.Lock()->SetStep(5, step, {0, 0, 'S', 0, 0});
  }
  // Capture ticked as the user ticks it, through the window's events.
  kit.Pick("main", ui::kMouseEmulation, 1);
  kit.Click("main", ui::kCaptureCoordinate);
  int boxes = 0;
  // What a signal does: shut down from the event loop, here the box's own.
  kit.SetDialogHook([&] {
    ++boxes;
    fs::remove(folder / "QuorbelU.ini");
    app.Shutdown();
  });
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x05}));
  ASSERT_TRUE(Ended());
  EXPECT_EQ(boxes, 1);
  ExpectEndedCleanly();
}

TEST_F(StopInsideARequestTest, PortChosenDuringTheDisplayPauseIsOpenedAfterTheRequest) {
  port.AddPort(2);
  PressShiftAndOnThePause([&] { kit.Click("main", kComMenuBase + 2); });
  ASSERT_TRUE(ServeUntil([&] { return port.LastOpenPort() == 2 && port.IsOpen(); }));
  EXPECT_EQ(app.State().link.CommPort, 2);
  // The new thread hears the surface on the new port.
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x02}));
  ASSERT_TRUE(ServeUntil([&] { return kit.ImageName("main", 1002) == "$FuncDn"; }));
}

// A throw inside one of the device thread's requests loses that message only.
TEST_F(ProgramWiringTest, FailingRequestLosesOnlyItsMessage) {
  Start();
  bool thrown = false;
  kit.SetDelayHook([&](float) {
    if (thrown) return;
    thrown = true;
    throw std::runtime_error("the display pause failed");
  });
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x14}));
  ASSERT_TRUE(ServeUntil([&] { return thrown; }));
  ASSERT_TRUE(port.SurfaceSend(Bytes{0xBF, 0x12, 0x02}));
  ASSERT_TRUE(ServeUntil([&] { return kit.ImageName("main", 1002) == "$FuncDn"; }));
}

// The program's own start-up path: a shutdown while the greeting pauses
// leaves no device thread behind on the port it closed.
TEST_F(ProgramWiringTest, ShutdownDuringTheStartupGreetingStartsNoThread) {
  kit.SetDelayHook([&](float) { app.Shutdown(); });
  app.Run();
  EXPECT_FALSE(kit.HasForm("main"));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(guard.Holds());
  // Start-up went no further than the greeting: no thread, no layer line.
  EXPECT_EQ(kit.Delays().size(), 1u);
}

TEST_F(ProgramWiringTest, MissingPortIsNamedAtStartupAndTheWindowStays) {
  port.RemovePort(1);
  kit.SetDialogHook([&] { kit.Send("main", 0, ui::kLostFocus); });
  Start();
  ASSERT_EQ(kit.MessageBoxes().size(), 1u);
  EXPECT_EQ(kit.MessageBoxes()[0].text, "Failure to start communications on Com 1");
  EXPECT_EQ(kit.MessageBoxes()[0].title, "QuorbelU");
  EXPECT_TRUE(kit.HasForm("main"));
  EXPECT_FALSE(kit.Minimised("main"));
  EXPECT_EQ(app.State().windows.DialogActive, 0);
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

// The program as a whole, started as a process on a virtual X server with the
// simulated surface on its port, and ended by a signal.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "keysets/KeysetLayer.h"
#include "platform/linux/x11/X11Desktop.h"
#include "tests/gui/app/ProgramRun.h"
#include "tests/integration/x11/RecorderProcess.h"
#include "tests/integration/x11/XvfbServer.h"
#include "tests/support/SurfaceProcess.h"

namespace quorbel::testing {
namespace {

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using Lines = std::vector<std::string>;

// The next `count` key events the recorder saw, other lines left out.
Lines KeyLines(RecorderProcess& recorder, std::size_t count) {
  Lines keys;
  while (keys.size() < count) {
    const Lines next = recorder.Lines(1);
    if (next.empty()) break;
    if (next.front().starts_with("press") || next.front().starts_with("release")) {
      keys.push_back(next.front());
    }
  }
  return keys;
}

class ProgramProcessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server = XvfbServer::Start().release(); }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }

  void SetUp() override {
    if (server == nullptr) GTEST_SKIP() << "Xvfb is not installed";
    desktop = X11Desktop::Connect(server->display());
    ASSERT_TRUE(desktop);
  }

  // Ends the program with a signal; its exit status.
  static int Terminate(ChildProcess& program) {
    ::kill(program.pid(), SIGTERM);
    return program.Wait();
  }

  static inline XvfbServer* server = nullptr;
  std::unique_ptr<X11Desktop> desktop;
  ProgramFolder folder;
};

TEST_F(ProgramProcessTest, StartsWithTheSurfaceAndEndsCleanlyOnASignal) {
  folder.WritePreferences(1, 19200);
  folder.AddKeysets(3);
  auto surface = StartSurface(folder);
  auto program = StartProgram(folder, server->display());
  // The caption names the keyset once the surface has answered.
  const WindowId main = WaitForWindow(*desktop, program->pid(), [](const std::string& title) {
    return title == "Quorbel - Default";
  });
  ASSERT_NE(main, 0u);
  std::filesystem::remove(folder.path() / "QuorbelU.ini");
  EXPECT_EQ(Terminate(*program), 0);
  const std::string preferences = ReadText(folder.path() / "QuorbelU.ini");
  EXPECT_NE(preferences.find("Com Port=1"), std::string::npos);
  EXPECT_NE(preferences.find("Baud Rate=19200"), std::string::npos);
}

TEST_F(ProgramProcessTest, MissingPortIsReportedAndASignalStillEndsTheProgram) {
  folder.WritePreferences(7, 38400);
  auto program = StartProgram(folder, server->display());
  EXPECT_NE(WaitForWindow(*desktop, program->pid(),
                          [](const std::string& title) { return title == "QuorbelU"; }),
            0u);
  // The failure message waits for the user; the signal ends it too.
  EXPECT_EQ(Terminate(*program), 0);
}

TEST_F(ProgramProcessTest, SecondCopyShowsItsMessageAndNoWindowOfItsOwn) {
  folder.WritePreferences(1, 38400);
  folder.AddKeysets(1);
  auto surface = StartSurface(folder);
  auto first = StartProgram(folder, server->display());
  ASSERT_NE(WaitForWindow(*desktop, first->pid(),
                          [](const std::string& title) { return title == "Quorbel - Default"; }),
            0u);
  auto second = StartProgram(folder, server->display());
  EXPECT_NE(
      WaitForWindow(*desktop, second->pid(),
                    [](const std::string& title) { return title == "Brenlow Electronics, Inc."; }),
      0u);
  EXPECT_EQ(WaitForWindow(
                *desktop, second->pid(),
                [](const std::string& title) { return title.starts_with("Quorbel"); },
                std::chrono::milliseconds(200)),
            0u);
  const std::string preferences = ReadText(folder.path() / "QuorbelU.ini");
  EXPECT_EQ(Terminate(*second), 0);
  EXPECT_EQ(ReadText(folder.path() / "QuorbelU.ini"), preferences);
  EXPECT_NE(WaitForWindow(*desktop, first->pid(),
                          [](const std::string& title) { return title == "Quorbel - Default"; }),
            0u);
  EXPECT_EQ(Terminate(*first), 0);
}

TEST_F(ProgramProcessTest, PressOnTheSurfaceTypesIntoTheProgramInFront) {
  constexpr int kPlay = 59;
  folder.WritePreferences(1, 38400);
  WriteKeyset(folder, "Default", kPlay, 'D', 0);
  // The recorder's executable is named x11_recorder, so this keyset is its.
  WriteKeyset(folder, "x11_recorder", kPlay, 'S', kCtrl);
  SurfaceProcess surface(folder.path(), 1);
  auto program = StartProgram(folder, server->display());
  ASSERT_NE(WaitForWindow(*desktop, program->pid(),
                          [](const std::string& title) { return title == "Quorbel - Default"; }),
            0u);
  RecorderProcess target(server->display());  // takes the focus

  surface.Command("press 59");
  EXPECT_EQ(KeyLines(target, 4),
            (Lines{"press Control_L 0", "press s 4", "release s 4", "release Control_L 4"}));
  EXPECT_EQ(Terminate(*program), 0);
}

TEST_F(ProgramProcessTest, SignalDuringAHeldKeyReleasesEveryKey) {
  folder.WritePreferences(1, 38400);
  // A delay of 100 ticks holds the keys down for five seconds.
  WriteKeyset(folder, "Default", 59, 'S', kCtrl, 100);
  SurfaceProcess surface(folder.path(), 1);
  auto program = StartProgram(folder, server->display());
  ASSERT_NE(WaitForWindow(*desktop, program->pid(),
                          [](const std::string& title) { return title == "Quorbel - Default"; }),
            0u);
  RecorderProcess target(server->display());
  surface.Command("press 59");
  ASSERT_EQ(KeyLines(target, 2), (Lines{"press Control_L 0", "press s 4"}));
  EXPECT_EQ(Terminate(*program), 0);
  EXPECT_EQ(KeyLines(target, 2), (Lines{"release s 4", "release Control_L 4"}));
}

}  // namespace
}  // namespace quorbel::testing

#include "platform/linux/x11/X11Desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/linux/x11/X11Input.h"
#include "tests/integration/x11/RecorderProcess.h"
#include "tests/integration/x11/XvfbServer.h"
#include "tests/support/TempFolder.h"

namespace quorbel {
namespace {

using testing::RecorderProcess;
using testing::XvfbServer;
using Options = std::vector<std::string>;

bool Contains(const std::vector<WindowId>& windows, WindowId window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// A desktop without a window manager, as Xvfb starts.
class X11DesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = XvfbServer::Start(); }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (!server_) GTEST_SKIP() << "Xvfb is not installed";
    desktop_ = X11Desktop::Connect(server_->display());
    ASSERT_NE(desktop_, nullptr);
  }

  std::unique_ptr<RecorderProcess> StartRecorder(Options options = {}) {
    return std::make_unique<RecorderProcess>(server_->display(), std::move(options));
  }

  // The server forgets a client's windows shortly after the client ends.
  void WaitUntilGone(WindowId window) {
    for (int attempt = 0; attempt < 200 && Contains(desktop_->TopLevelWindows(), window);
         ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(Contains(desktop_->TopLevelWindows(), window));
  }

  static std::unique_ptr<XvfbServer> server_;
  std::unique_ptr<X11Desktop> desktop_;
};

std::unique_ptr<XvfbServer> X11DesktopTest::server_;

TEST_F(X11DesktopTest, AProgramIsKnownByItsWindow) {
  const TempFolder made("quorbel-x11-");
  const std::filesystem::path& folder = made.Path();
  const std::filesystem::path tool = folder / "my.tool";
  std::filesystem::copy_file(QUORBEL_X11_RECORDER, tool,
                             std::filesystem::copy_options::overwrite_existing);
  {
    RecorderProcess recorder(server_->display(), {"--title", "Tool Window", "--class", "ToolClass"},
                             tool.string());
    EXPECT_TRUE(Contains(desktop_->TopLevelWindows(), recorder.window()));
    EXPECT_EQ(desktop_->WindowTitle(recorder.window()), "Tool Window");
    EXPECT_EQ(desktop_->WindowClass(recorder.window()), "ToolClass");
    const int processId = desktop_->ProcessId(recorder.window());
    EXPECT_EQ(processId, recorder.pid());
    EXPECT_EQ(desktop_->ExecutablePath(processId), tool.string());
    // A program whose file was removed while it runs is still known by it.
    std::filesystem::remove(tool);
    EXPECT_EQ(desktop_->ExecutablePath(processId), tool.string());
  }
}

TEST_F(X11DesktopTest, TheServerTellsTheProcessOfAWindowThatDoesNot) {
  auto recorder = StartRecorder({"--no-pid"});
  EXPECT_EQ(desktop_->ProcessId(recorder->window()), recorder->pid());
  EXPECT_EQ(desktop_->ExecutablePath(recorder->pid()),
            std::filesystem::canonical(QUORBEL_X11_RECORDER).string());
}

TEST_F(X11DesktopTest, WindowsOpenedLaterAppearInTheNextListOnTop) {
  auto first = StartRecorder();
  auto before = desktop_->TopLevelWindows();
  auto second = StartRecorder();
  auto after = desktop_->TopLevelWindows();
  EXPECT_TRUE(Contains(before, first->window()));
  EXPECT_FALSE(Contains(before, second->window()));
  auto firstAt = std::find(after.begin(), after.end(), first->window());
  auto secondAt = std::find(after.begin(), after.end(), second->window());
  ASSERT_NE(secondAt, after.end());
  EXPECT_LT(firstAt, secondAt);  // from the bottom of the stack up
}

TEST_F(X11DesktopTest, WithoutAWindowManagerTheFocusedWindowIsInFront) {
  auto first = StartRecorder();
  auto second = StartRecorder();  // takes the focus from the first
  const WindowId front = second->window();
  EXPECT_EQ(desktop_->ForegroundWindow(), front);
  second.reset();  // the focus goes back to the root: nothing is in front
  WaitUntilGone(front);
  EXPECT_EQ(desktop_->ForegroundWindow(), 0u);
}

// The process of the window in front is learnt beside the question for that
// window; whatever is asked next gets the process of the window it names.
TEST_F(X11DesktopTest, EachWindowKeepsItsOwnProcessAsTheWindowInFrontChanges) {
  auto first = StartRecorder();
  ASSERT_EQ(desktop_->ForegroundWindow(), first->window());
  EXPECT_EQ(desktop_->ProcessId(first->window()), first->pid());

  auto second = StartRecorder();  // takes the focus
  ASSERT_EQ(desktop_->ForegroundWindow(), second->window());
  EXPECT_EQ(desktop_->ProcessId(second->window()), second->pid());
  ASSERT_EQ(desktop_->ForegroundWindow(), second->window());
  EXPECT_EQ(desktop_->ProcessId(first->window()), first->pid());
  EXPECT_EQ(desktop_->ProcessId(second->window()), second->pid());

  // The window last in front went away: nothing is in front, and the
  // connection still answers.
  const WindowId gone = second->window();
  second.reset();
  WaitUntilGone(gone);
  EXPECT_EQ(desktop_->ForegroundWindow(), 0u);
  EXPECT_EQ(desktop_->ProcessId(first->window()), first->pid());

  // A window that states no process is asked of the server, in front or not.
  auto silent = StartRecorder({"--no-pid"});
  ASSERT_EQ(desktop_->ForegroundWindow(), silent->window());
  ASSERT_EQ(desktop_->ForegroundWindow(), silent->window());
  EXPECT_EQ(desktop_->ProcessId(silent->window()), silent->pid());
}

TEST_F(X11DesktopTest, TitlesAreUtf8AndCutTo254Characters) {
  std::string longTitle;
  for (int i = 0; i < 300; ++i) longTitle += "\xC3\xA9";  // é
  auto wide = StartRecorder({"--title", longTitle});
  auto legacy = StartRecorder({"--title", "Caf\xC3\xA9 M\xC3\xBCnster", "--legacy-title"});
  EXPECT_EQ(desktop_->WindowTitle(wide->window()), longTitle.substr(0, 2 * 254));
  // Without _NET_WM_NAME the title is the Latin-1 WM_NAME, given back as UTF-8.
  EXPECT_EQ(desktop_->WindowTitle(legacy->window()), "Caf\xC3\xA9 M\xC3\xBCnster");
}

TEST_F(X11DesktopTest, RestoringAHiddenWindowShowsIt) {
  auto hidden = StartRecorder({"--hidden"});
  EXPECT_FALSE(Contains(desktop_->TopLevelWindows(), hidden->window()));
  desktop_->RestoreWindow(hidden->window());
  EXPECT_EQ(hidden->Lines(1), std::vector<std::string>{"mapped"});
  EXPECT_TRUE(Contains(desktop_->TopLevelWindows(), hidden->window()));
}

TEST_F(X11DesktopTest, CursorAndClientCoordinatesMatch) {
  auto recorder = StartRecorder();
  auto input = X11Input::Connect(server_->display());
  ASSERT_NE(input, nullptr);
  input->SetCursor(Point{300, 200});
  EXPECT_EQ(desktop_->CursorPosition(), (Point{300, 200}));
  // The recorder's window stands at (50, 60).
  EXPECT_EQ(desktop_->ScreenToClient(recorder->window(), Point{170, 105}), (Point{120, 45}));
}

TEST_F(X11DesktopTest, AWindowThatWentAwayGivesEmptyAnswers) {
  auto input = X11Input::Connect(server_->display());
  ASSERT_NE(input, nullptr);
  WindowId gone = StartRecorder({"--title", "Short-lived"})->window();
  WaitUntilGone(gone);
  EXPECT_EQ(desktop_->WindowTitle(gone), "");
  EXPECT_EQ(desktop_->WindowClass(gone), "");
  EXPECT_EQ(desktop_->ProcessId(gone), 0);
  EXPECT_EQ(desktop_->ScreenToClient(gone, Point{5, 6}), (Point{5, 6}));
  EXPECT_EQ(input->ClientToScreen(gone, Point{7, 8}), (Point{7, 8}));
  desktop_->RestoreWindow(gone);
  EXPECT_FALSE(Contains(desktop_->TopLevelWindows(), gone));  // the connection still works
  EXPECT_EQ(desktop_->ExecutablePath(0), "");
}

// Describing many windows at once answers as asking one at a time does:
// both titles, the class, the stated process or the server's, and empty
// answers for a window that went away.
TEST_F(X11DesktopTest, DescribingWindowsTogetherAnswersAsAskingEachDoes) {
  std::string longTitle;
  for (int i = 0; i < 300; ++i) longTitle += "\xC3\xA9";
  auto wide = StartRecorder({"--title", longTitle, "--class", "WideClass"});
  auto legacy = StartRecorder({"--title", "Caf\xC3\xA9", "--legacy-title", "--no-pid"});
  auto many = StartRecorder({"--windows", "3", "--title", "Many"});
  WindowId gone = StartRecorder({"--title", "Short-lived"})->window();
  WaitUntilGone(gone);
  std::vector<WindowId> windows = desktop_->TopLevelWindows();
  windows.push_back(gone);
  const std::vector<WindowFacts> facts = desktop_->DescribeWindows(windows);
  ASSERT_EQ(facts.size(), windows.size());
  for (std::size_t i = 0; i < windows.size(); ++i) {
    SCOPED_TRACE(windows[i]);
    EXPECT_EQ(facts[i].title, desktop_->WindowTitle(windows[i]));
    EXPECT_EQ(facts[i].windowClass, desktop_->WindowClass(windows[i]));
    EXPECT_EQ(facts[i].processId, desktop_->ProcessId(windows[i]));
  }
  const auto at = [&](WindowId window) {
    return static_cast<std::size_t>(std::find(windows.begin(), windows.end(), window) -
                                    windows.begin());
  };
  ASSERT_LT(at(wide->window()), windows.size());
  EXPECT_EQ(facts[at(wide->window())].title, longTitle.substr(0, 2 * 254));
  EXPECT_EQ(facts[at(wide->window())].windowClass, "WideClass");
  ASSERT_LT(at(legacy->window()), windows.size());
  EXPECT_EQ(facts[at(legacy->window())].title, "Caf\xC3\xA9");
  EXPECT_EQ(facts[at(legacy->window())].processId, legacy->pid());
  for (WindowId window : many->windows()) EXPECT_LT(at(window), windows.size());
  EXPECT_EQ(facts.back().title, "");
  EXPECT_EQ(facts.back().processId, 0);
}

// A window manager publishes the client list and the active window on the root.
class X11DesktopWithHintsTest : public X11DesktopTest {
 protected:
  static void SetUpTestSuite() { server_ = XvfbServer::Start(); }
  static void TearDownTestSuite() { server_.reset(); }
};

TEST_F(X11DesktopWithHintsTest, TheWindowManagersHintsComeFirst) {
  auto focused = StartRecorder();
  auto managed = StartRecorder({"--windows", "2", "--announce"});
  EXPECT_EQ(desktop_->ForegroundWindow(), managed->windows().front());
  EXPECT_EQ(desktop_->TopLevelWindows(), managed->windows());
  // Restoring asks the window manager to activate the window, as a tool (2) does.
  const WindowId second = managed->windows().back();
  desktop_->RestoreWindow(second);
  EXPECT_EQ(managed->LinesThrough("activate"),
            std::vector<std::string>{"activate " + std::to_string(second) + " 2"});
}

}  // namespace
}  // namespace quorbel

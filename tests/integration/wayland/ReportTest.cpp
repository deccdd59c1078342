// The window reports of the KWin script and the GNOME Shell extension, and the
// desktop they feed: read as the helpers send them, and as a damaged or
// foreign message might arrive on the bus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/linux/wayland/ReportedDesktop.h"
#include "platform/memory/MemoryDesktop.h"

namespace quorbel {
namespace {

using wayland::ReadWindowReport;
using wayland::Rect;

constexpr int kOwnProcess = 777;
constexpr WindowId kOwnWindow = 0x5000;

std::string Report(const std::string& window, int pid, const std::string& frame,
                   const std::string& extra = "") {
  return R"({"window": ")" + window + R"(", "pid": )" + std::to_string(pid) +
         R"(, "title": "Title of )" + window + R"(", "class": "org.example.)" + window + "\", " +
         frame + extra + "}";
}

const std::string kFrame = R"("x": 100, "y": 50, "width": 800, "height": 600)";

// The X windows of XWayland's programs, one of them in front.
constexpr WindowId kXTerm = 0x1a00007;

std::unique_ptr<Desktop> XWayland() {
  auto xwayland = std::make_unique<MemoryDesktop>();
  xwayland->AddWindow(kXTerm, "xterm", "XTerm", 66);
  xwayland->SetForeground(kXTerm);
  xwayland->SetCursor(Point{7, 8});
  xwayland->SetClientOrigin(kXTerm, Point{10, 20});
  return xwayland;
}

struct ReportedDesktopTest : ::testing::Test {
  ReportedDesktop desktop{kOwnProcess, [] { return kOwnWindow; }, XWayland()};
};

TEST(WindowReport, FractionsOfScaledOutputsAreRoundedAndOriginsLeftOfTheFirstOutputKept) {
  std::string why;
  const auto report = ReadWindowReport(
      R"({"window": "{5b1c}", "pid": 4242, "title": "Ed", "class": "ed",
          "x": -1279.6, "y": 0.4, "width": 640.5, "height": 480,
          "screen": {"x": -1280, "y": 0, "width": 3200, "height": 1080}})",
      why);
  ASSERT_TRUE(report) << why;
  EXPECT_EQ(report->frame, (Rect{-1280, 0, 641, 480}));
  EXPECT_EQ(report->processId, 4242);
  EXPECT_EQ(report->screen, (Rect{-1280, 0, 3200, 1080}));
}

TEST(WindowReport, ADesktopWithoutAWindowInFrontOrWithoutAProcessIsStillAReport) {
  std::string why;
  const auto none = ReadWindowReport(R"({"window": ""})", why);
  ASSERT_TRUE(none) << why;
  EXPECT_TRUE(none->window.empty());
  const auto noProcess = ReadWindowReport(
      R"({"window": "3", "pid": null, "x": 0, "y": 0, "width": 5, "height": 5})", why);
  ASSERT_TRUE(noProcess) << why;
  EXPECT_EQ(noProcess->processId, 0);
}

TEST(WindowReport, WhatIsNoReportIsRefusedWithAReason) {
  const std::string big(70 * 1024, ' ');
  for (const std::string& text : std::vector<std::string>{
           "not json", "[1, 2]", R"({"pid": 5})", R"({"window": 12})", big,
           // Frames without a size, a place, or off every screen.
           Report("a", 5, R"("x": 0, "y": 0, "width": 0, "height": 600)"),
           Report("a", 5, R"("x": 0, "y": 0, "width": 800, "height": -600)"),
           Report("a", 5, R"("y": 0, "width": 800, "height": 600)"),
           Report("a", 5, R"("x": "0", "y": 0, "width": 800, "height": 600)"),
           Report("a", 5, R"("x": 1e300, "y": 0, "width": 800, "height": 600)"),
           // Process ids no process has.
           Report("a", -5, kFrame),
           R"({"window": "a", "pid": 12.5, "x": 0, "y": 0, "width": 5, "height": 5})",
           R"({"window": "a", "pid": "12", "x": 0, "y": 0, "width": 5, "height": 5})",
           R"({"window": "a", "pid": 4294967297, "x": 0, "y": 0, "width": 5, "height": 5})"}) {
    std::string why;
    EXPECT_FALSE(ReadWindowReport(text, why)) << text.substr(0, 80);
    EXPECT_FALSE(why.empty()) << text.substr(0, 80);
  }
}

TEST_F(ReportedDesktopTest, BeforeTheFirstReportOnlyTheProgramsUnderXWaylandAreKnown) {
  EXPECT_FALSE(desktop.TellsForeground());
  EXPECT_EQ(desktop.ForegroundWindow(), kXTerm);
  EXPECT_EQ(desktop.TopLevelWindows(), std::vector<WindowId>{kXTerm});
  EXPECT_EQ(desktop.ProcessId(kXTerm), 66);
  EXPECT_FALSE(desktop.Layout());
  ReportedDesktop alone{kOwnProcess, [] { return kOwnWindow; }, nullptr};
  EXPECT_FALSE(alone.TellsForeground());
  EXPECT_EQ(alone.ForegroundWindow(), 0u);
  EXPECT_TRUE(alone.TopLevelWindows().empty());
}

TEST_F(ReportedDesktopTest, ReportedWindowsAndXWaylandsWindowsAreToldApart) {
  desktop.Report(Report("editor", 4242, kFrame));
  const WindowId editor = desktop.ForegroundWindow();
  EXPECT_NE(editor, kXTerm);
  // A row of the window list made before still reads XWayland's window.
  EXPECT_EQ(desktop.WindowTitle(kXTerm), "xterm");
  EXPECT_EQ(desktop.ScreenToClient(kXTerm, Point{15, 25}), (Point{5, 5}));
  EXPECT_FALSE(desktop.ClientToScreen(kXTerm, Point{5, 5}));
  EXPECT_EQ(desktop.DescribeWindows({kXTerm, editor}).back().processId, 4242);
  // The pointer is XWayland's.
  EXPECT_EQ(desktop.CursorPosition(), (Point{7, 8}));
}

TEST_F(ReportedDesktopTest, TheReportedWindowIsInFrontWithItsTitleClassAndProcess) {
  ASSERT_EQ(desktop.Report(Report("editor", 4242, kFrame)), "");
  EXPECT_TRUE(desktop.TellsForeground());
  const WindowId front = desktop.ForegroundWindow();
  ASSERT_NE(front, 0u);
  EXPECT_EQ(desktop.TopLevelWindows(), std::vector<WindowId>{front});
  EXPECT_EQ(desktop.WindowTitle(front), "Title of editor");
  EXPECT_EQ(desktop.WindowClass(front), "org.example.editor");
  EXPECT_EQ(desktop.ProcessId(front), 4242);
}

TEST_F(ReportedDesktopTest, OurOwnWindowInFrontIsTheMainWindow) {
  desktop.Report(Report("ours", kOwnProcess, kFrame));
  EXPECT_EQ(desktop.ForegroundWindow(), kOwnWindow);
  // Another program's window afterwards is not taken for ours.
  desktop.Report(Report("theirs", kOwnProcess + 1, kFrame));
  EXPECT_NE(desktop.ForegroundWindow(), kOwnWindow);
}

TEST_F(ReportedDesktopTest, AnUnreadableReportForgetsTheWindowBeforeIt) {
  desktop.Report(Report("editor", 4242, kFrame));
  const WindowId editor = desktop.ForegroundWindow();
  EXPECT_NE(desktop.Report("{\"window\": \"other\", \"pid\": 9}"), "");
  // Whatever came to the front, the editor's keyset must not play into it.
  EXPECT_FALSE(desktop.TellsForeground());
  EXPECT_NE(desktop.ForegroundWindow(), editor);
  EXPECT_EQ(desktop.ProcessId(editor), 0);
  // The next good report is believed again.
  desktop.Report(Report("editor", 4242, kFrame));
  EXPECT_TRUE(desktop.TellsForeground());
  EXPECT_EQ(desktop.ForegroundWindow(), editor);
}

TEST_F(ReportedDesktopTest, AHelperThatStopsLeavesTheWindowInFrontUnknownWithoutComplaint) {
  desktop.Report(Report("editor", 4242, kFrame));
  EXPECT_EQ(desktop.Report(R"({"window": null})"), "");
  EXPECT_FALSE(desktop.TellsForeground());
  EXPECT_EQ(desktop.ForegroundWindow(), kXTerm);
}

TEST_F(ReportedDesktopTest, AWindowNoLongerInFrontIsNotDescribedAndKeepsItsIdWhenItReturns) {
  desktop.Report(Report("first", 1001, kFrame));
  const WindowId first = desktop.ForegroundWindow();
  desktop.Report(Report("second", 1002, kFrame));
  const WindowId second = desktop.ForegroundWindow();
  EXPECT_NE(first, second);
  // The first one may be gone: nothing of it is guessed.
  EXPECT_EQ(desktop.ProcessId(first), 0);
  EXPECT_EQ(desktop.WindowTitle(first), "");
  EXPECT_EQ(desktop.ScreenToClient(first, Point{150, 60}), (Point{150, 60}));
  // Never handed to XWayland, which would take it for one of its own.
  EXPECT_EQ(desktop.ClientToScreen(first, Point{1, 1}), (Point{1, 1}));
  desktop.Report(Report("first", 1001, kFrame));
  EXPECT_EQ(desktop.ForegroundWindow(), first);
  // No window in front at all: known to be none.
  desktop.Report(R"({"window": ""})");
  EXPECT_TRUE(desktop.TellsForeground());
  EXPECT_EQ(desktop.ForegroundWindow(), 0u);
}

TEST_F(ReportedDesktopTest, ClientPointsOfAWindowLeftOfAndAboveTheFirstOutputRoundTrip) {
  desktop.Report(Report("left", 31, R"("x": -1200, "y": -40, "width": 800, "height": 600)",
                        R"(, "screen": {"x": -1280, "y": -100, "width": 3200, "height": 1180})"));
  const WindowId left = desktop.ForegroundWindow();
  EXPECT_EQ(desktop.ClientToScreen(left, Point{20, 30}), (Point{-1180, -10}));
  EXPECT_EQ(desktop.ScreenToClient(left, Point{-1180, -10}), (Point{20, 30}));
  // A later report without the screen leaves the one known.
  desktop.Report(Report("right", 32, kFrame));
  EXPECT_EQ(desktop.Layout(), (Rect{-1280, -100, 3200, 1180}));
}

TEST_F(ReportedDesktopTest, LongTitlesAreCutBetweenCharacters) {
  std::string title(253, 'a');
  title += "\xc3\xa4\xc3\xa4";  // two two-byte characters across the limit
  desktop.Report(R"({"window": "w", "pid": 3, "title": ")" + title +
                 R"(", "x": 0, "y": 0, "width": 5, "height": 5})");
  EXPECT_EQ(desktop.WindowTitle(desktop.ForegroundWindow()), std::string(253, 'a'));
}

}  // namespace
}  // namespace quorbel
